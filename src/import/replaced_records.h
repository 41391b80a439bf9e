#pragma once

#include "data/record_file.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace dorvanta {

// An allocator whose resize() leaves new bytes as they are: a buffer whose
// every byte is written by its filler does not need clearing first, which
// for a batch of records would write each byte twice.
template <typename T> struct LeftAsIs : std::allocator<T>
{
    template <typename U> struct rebind
    {
        using other = LeftAsIs<U>;
    };
    LeftAsIs() = default;
    template <typename U> LeftAsIs(const LeftAsIs<U>&) noexcept {}
    template <typename U, typename... Args> void construct(U* at, Args&&... args)
    {
        if constexpr (sizeof...(Args) == 0) {
            ::new (static_cast<void*>(at)) U;
        } else {
            ::new (static_cast<void*>(at)) U(std::forward<Args>(args)...);
        }
    }
};

// Replaced records waiting to be written, in batches. A batch is written in
// file order, which the system handles far faster than the same writes
// scattered in the order of the lines, and records close together go in one
// write: a full-size answer replaces most records of the file, one after the
// other.
//
// A record far from any other in its batch (a name held by an earlier record
// sends its line back there) is held, and the held records are written all
// together once they come to kHeldBytes: a write per record costs the system
// many times its bytes, and held records gather into runs that go out
// together.
class ReplacedRecords
{
    struct Entry
    {
        std::uint64_t number;
        // Of the put in its batch, or of the hold: the later of two puts of a record wins.
        std::uint64_t order;
        std::size_t offset; // of its bytes, in heldBytes_ when held, else in the batch
        bool held;
    };

public:
    explicit ReplacedRecords(std::size_t recordSize) : recordSize_(recordSize) {}

    // Records put since the batch was last written. One batch is filled
    // while another is written, on another thread.
    class Batch
    {
    public:
        explicit Batch(std::size_t recordSize) : recordSize_(recordSize) {}

        // Room for the new bytes of record `number`, which the caller fills
        // whole, valid until the next Put or Write; a record put twice keeps
        // the later bytes.
        std::uint8_t* Put(std::uint64_t number);

        std::size_t bytes() const { return bytes_.size(); }

    private:
        friend class ReplacedRecords;
        std::size_t recordSize_;
        std::vector<Entry> entries_;
        std::vector<std::uint8_t, LeftAsIs<std::uint8_t>> bytes_;
    };

    // Writes `batch`. Without `everything`, the records far from the
    // others are held instead, and the held records are written once they
    // come to kHeldBytes; with it, everything is written. The batch is
    // emptied even when a write fails, and held records are then dropped:
    // nothing is ever written twice. The caller holds the file's exclusive
    // lock: records between two written ones are read and written back.
    void Write(RecordFile& file, Batch& batch, bool everything);

private:
    const std::uint8_t* BytesOf(const Entry& entry, const Batch& batch) const
    {
        return (entry.held ? heldBytes_.data() : batch.bytes_.data()) + entry.offset;
    }
    // `entries` sorted by record, and into `out` the last put of each record.
    static void SortLastPuts(std::vector<Entry>& entries, std::vector<Entry>& out);
    // The end of the group of work_ that starts at `begin`: records close
    // enough to go in one write.
    std::size_t ClusterEnd(std::size_t begin) const;
    void WriteCluster(RecordFile& file, const Batch& batch, std::size_t begin, std::size_t end);
    bool IsHeld(std::uint64_t number) const { return number < heldMarks_.size() && heldMarks_[number]; }
    void Hold(const Entry& entry, const Batch& batch);
    void DropHeld();

    const std::size_t recordSize_;
    std::vector<Entry> held_; // in the order they were held
    std::vector<std::uint8_t> heldBytes_;
    std::vector<bool> heldMarks_; // by record number
    std::vector<Entry> work_;
    std::vector<std::uint8_t> run_;         // the records between written ones
    std::vector<FileHandle::Piece> pieces_; // of one write
};

} // namespace dorvanta
