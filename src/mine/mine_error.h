#pragma once

#include <stdexcept>
#include <string>

namespace dorvanta {

// A failure of the user's own database (mine.sqlite) or of an export. The
// caller reports the text and goes on without the layer; nothing was changed
// by the operation that threw (every write is one transaction).
class MineError : public std::runtime_error
{
public:
    enum class Kind
    {
        CannotOpen, // the file or its folder cannot be opened or created
        Newer,      // written by a newer version of the program: left as it is
        Damaged,    // not a database of lists, or damaged
        Locked,     // another program held the file for longer than we wait
        Failed,     // a read or write failed for another reason (disk full, ...)
        Unavailable // the feature is not part of this build
    };

    MineError(Kind kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

} // namespace dorvanta
