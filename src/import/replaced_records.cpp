#include "import/replaced_records.h"

#include <algorithm>
#include <cstring>

namespace dorvanta {

namespace {
// Untouched records between two written ones that are read and written back
// rather than splitting the write.
constexpr std::uint64_t kLargestGap = 8;
// A group of fewer records than this, or of fewer than half the records of
// its stretch of the file, may be held: it is still thin, and later puts
// fill it in.
constexpr std::size_t kFewest = 16;
// Held bytes: at this many, the held records are written, all together.
constexpr std::size_t kHeldBytes = std::size_t{16} << 20;
// The most records one write takes, gaps included.
constexpr std::uint64_t kLongestRun = 4096;
} // namespace

std::uint8_t* ReplacedRecords::Batch::Put(std::uint64_t number)
{
    entries_.push_back(Entry{number, entries_.size(), bytes_.size(), false});
    bytes_.resize(bytes_.size() + recordSize_);
    return bytes_.data() + bytes_.size() - recordSize_;
}

void ReplacedRecords::Write(RecordFile& file, Batch& batch, bool everything)
{
    // Emptied on every way out, keeping its memory: a full-size answer
    // writes hundreds of batches, and fresh pages for each cost more than
    // the copy. After a failed write the held records go too.
    struct Reset
    {
        ReplacedRecords& records;
        Batch& batch;
        bool done = false;
        ~Reset()
        {
            batch.entries_.clear();
            batch.bytes_.clear();
            if (!done) {
                records.DropHeld();
            }
        }
    } reset{*this, batch};

    // The batch in file order, the last put of each record only.
    SortLastPuts(batch.entries_, work_);
    // A record held already is held again with its new bytes: written now,
    // it would be written over by the older ones later.
    std::size_t kept = 0;
    for (const Entry& entry : work_) {
        if (IsHeld(entry.number)) {
            Hold(entry, batch);
        } else {
            work_[kept++] = entry;
        }
    }
    work_.resize(kept);
    for (std::size_t begin = 0; begin < work_.size();) {
        const std::size_t end = ClusterEnd(begin);
        const std::uint64_t span = work_[end - 1].number - work_[begin].number + 1;
        if (!everything && (end - begin < kFewest || (end - begin) * 2 < span)) {
            for (std::size_t i = begin; i < end; ++i) {
                Hold(work_[i], batch);
            }
        } else {
            WriteCluster(file, batch, begin, end);
        }
        begin = end;
    }
    if (everything || heldBytes_.size() >= kHeldBytes) {
        // Together, the held records have come closer to each other.
        SortLastPuts(held_, work_);
        for (std::size_t begin = 0; begin < work_.size();) {
            const std::size_t end = ClusterEnd(begin);
            WriteCluster(file, batch, begin, end);
            begin = end;
        }
        DropHeld();
    }
    reset.done = true;
}

void ReplacedRecords::SortLastPuts(std::vector<Entry>& entries, std::vector<Entry>& out)
{
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.number != b.number ? a.number < b.number : a.order < b.order;
    });
    out.clear();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i + 1 == entries.size() || entries[i + 1].number != entries[i].number) {
            out.push_back(entries[i]);
        }
    }
}

std::size_t ReplacedRecords::ClusterEnd(std::size_t begin) const
{
    std::size_t end = begin + 1;
    while (end < work_.size() && work_[end].number - work_[end - 1].number <= kLargestGap + 1 &&
           work_[end].number - work_[begin].number < kLongestRun) {
        ++end;
    }
    return end;
}

void ReplacedRecords::Hold(const Entry& entry, const Batch& batch)
{
    const std::uint8_t* bytes = BytesOf(entry, batch);
    // Holds come batch after batch, so a later put of a record holds a higher order.
    held_.push_back(Entry{entry.number, held_.size(), heldBytes_.size(), true});
    heldBytes_.insert(heldBytes_.end(), bytes, bytes + recordSize_);
    if (entry.number >= heldMarks_.size()) {
        heldMarks_.resize(std::max<std::size_t>(entry.number + 1, heldMarks_.size() * 2));
    }
    heldMarks_[entry.number] = true;
}

void ReplacedRecords::DropHeld()
{
    held_.clear();
    heldBytes_.clear();
    heldMarks_.assign(heldMarks_.size(), false);
}

void ReplacedRecords::WriteCluster(RecordFile& file, const Batch& batch, std::size_t begin, std::size_t end)
{
    const std::uint64_t first = work_[begin].number;
    const auto span = static_cast<std::size_t>(work_[end - 1].number - first + 1);
    // The records between are read as they are; the written ones go from
    // where they lie (lines in file order leave them one after the other),
    // without being copied next to each other first.
    if (span != end - begin) {
        run_.resize(span * recordSize_);
        file.ReadRecords(first, span, run_.data());
    }
    pieces_.clear();
    const auto add = [&](const std::uint8_t* bytes, std::size_t length) {
        if (!pieces_.empty() &&
            static_cast<const std::uint8_t*>(pieces_.back().bytes) + pieces_.back().length == bytes) {
            pieces_.back().length += length;
        } else {
            pieces_.push_back(FileHandle::Piece{bytes, length});
        }
    };
    std::uint64_t next = first;
    for (std::size_t i = begin; i < end; ++i) {
        if (work_[i].number != next) {
            add(run_.data() + (next - first) * recordSize_, (work_[i].number - next) * recordSize_);
        }
        add(BytesOf(work_[i], batch), recordSize_);
        next = work_[i].number + 1;
    }
    file.WriteGather(first, pieces_);
}

} // namespace dorvanta
