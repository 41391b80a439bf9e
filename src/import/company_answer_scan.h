#pragma once

#include "import/block_pipe.h"
#include "import/company_name_index.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <ostream>
#include <stop_token>
#include <streambuf>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace dorvanta {

// What the company import learns from a first reading of an answer: how many
// lines it has, whether any is valid, and the names its valid lines look for
// (as CompanyNameKey gives them: cut to the name field, upper-cased).
class CompanyAnswerScan
{
public:
    void AddLine(std::string_view line);

    std::size_t lines() const { return lines_; }
    bool anyValid() const { return anyValid_; }
    CompanyNameIndex& names() { return names_; }

    // The number in names() of the name line `line` (0-based) looks for;
    // kNoId for a line without one. Kept for every line (four bytes each),
    // so the import finds a line's name without a second lookup.
    CompanyNameIndex::Id NameOfLine(std::size_t line) const
    {
        return line < lineNames_.size() ? lineNames_[line] : CompanyNameIndex::kNoId;
    }

    // Whether a later line looks for the same name as line `line`. Only
    // lines of a name change which record is the first to hold it, so that
    // line finds the same record as this one, and writes it whole (replaced
    // or blanked): bytes this line would write there are written over. Not
    // said of the empty name, which blanking other names gives records.
    bool LookedForAgain(std::size_t line) const
    {
        const CompanyNameIndex::Id id = NameOfLine(line);
        return id != CompanyNameIndex::kNoId && !names_.Key(id).empty() && lastLineOf_[id] > line;
    }

    // Whether the last line that looks for name `id` blanks it.
    bool LastLineBlanks(CompanyNameIndex::Id id) const { return id < lastBlanks_.size() && lastBlanks_[id]; }

    // The last line that looks for name `id`, when more than one line does,
    // none blanks it, and the name is not empty: the bytes the record of
    // that name ends with. Null otherwise, or when keeping it would have
    // taken more than kKeptLineBytes for all such names.
    const std::string* LastLineOf(CompanyNameIndex::Id id) const
    {
        return id < keptAt_.size() && keptAt_[id] < kept_.size() && !names_.Key(id).empty()
                   ? &kept_[keptAt_[id]]
                   : nullptr;
    }

private:
    static constexpr std::size_t kKeptLineBytes = std::size_t{16} << 20;
    // Marks in keptAt_ for a name whose last line is not kept: seen once so
    // far, or never to be kept (blanked, or past the bound).
    static constexpr std::uint32_t kSeenOnce = ~std::uint32_t{0};
    static constexpr std::uint32_t kNever = kSeenOnce - 1;
    void KeepLastLine(CompanyNameIndex::Id id, std::string_view text, bool blank);

    std::size_t lines_ = 0;
    bool anyValid_ = false;
    CompanyNameIndex names_;
    std::vector<CompanyNameIndex::Id> lineNames_;
    std::vector<std::size_t> lastLineOf_; // by name number
    std::vector<std::uint32_t> keptAt_;   // by name number: where in kept_ its last line is
    std::vector<bool> lastBlanks_;        // by name number

    std::vector<std::string> kept_;
    std::size_t keptBytes_ = 0;
    std::string key_; // reused line after line
};

// An output stream that hands every byte to `target` and scans the lines
// as they pass, split as FileLineSource splits them (CR, LF or CR LF; a line
// cut at kMaxLineBytes). The company update writes the answer through it
// while it arrives, so the import need not read the file twice. The lines
// are scanned on a helper thread, the bytes handed over in large blocks: the
// scan costs about as much as receiving, and the two overlap. The target is
// given the same blocks, each before it is scanned (a block not yet full
// when the stream is flushed, and at the end); a block the target does not
// take fails this stream, and is not scanned.
class ScanningOutputStream final : public std::ostream
{
public:
    explicit ScanningOutputStream(std::ostream& target);

    // Ends the last line (one without a break after it); call after the
    // last write. The scan is left empty. Throws what the scan threw, or
    // std::ios_base::failure when the target did not take every byte.
    CompanyAnswerScan Finish();

    // The system's reason (errno) when the target refused a block; 0 when it
    // did not, or gave none.
    int TargetError() const { return buffer_.TargetError(); }

private:
    class Buffer final : public std::streambuf
    {
    public:
        explicit Buffer(std::streambuf* target);
        ~Buffer() override;
        CompanyAnswerScan Finish();
        int TargetError() const { return targetError_; }

    protected:
        std::streamsize xsputn(const char* data, std::streamsize size) override;
        int_type overflow(int_type c) override;
        int sync() override;

    private:
        void ScanBlocks(std::stop_token stop); // the helper thread
        void Scan(const char* data, std::size_t size);
        void EndLastLine();

        std::streambuf* target_;
        bool targetFailed_ = false; // the producer's
        int targetError_ = 0;       // the producer's: errno of the refused block
        BlockPipe pipe_;
        // The helper's own until it has been joined.
        CompanyAnswerScan scan_;
        std::string line_;     // the start of a line whose break has not come yet
        bool started_ = false; // bytes of that line seen
        bool skipLineFeed_ = false;
        std::exception_ptr failure_;
        std::jthread helper_; // last: started once the rest is ready, stopped and joined first
    };
    Buffer buffer_;
};

} // namespace dorvanta
