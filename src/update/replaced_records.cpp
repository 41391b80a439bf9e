#include "update/replaced_records.h"

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
// Held bytes, including those of held records written since: at this many
// the next Write writes everything.
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
    work_.assign(held_.begin(), held_.end());
    work_.insert(work_.end(), batch.entries_.begin(), batch.entries_.end());
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
                records.held_.clear();
                records.heldBytes_.clear();
            }
        }
    } reset{*this, batch};

    // The held records are in record order already: only the batch is
    // sorted, then merged in. A held record was put in an earlier batch than
    // any of this one, so it goes first among equal numbers.
    const auto before = [](const Entry& a, const Entry& b) {
        if (a.number != b.number) {
            return a.number < b.number;
        }
        return a.held != b.held ? a.held : a.order < b.order;
    };
    const auto batchBegin = work_.begin() + static_cast<std::ptrdiff_t>(held_.size());
    std::sort(batchBegin, work_.end(), before);
    std::inplace_merge(work_.begin(), batchBegin, work_.end(), before);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < work_.size(); ++i) {
        if (i + 1 == work_.size() || work_[i + 1].number != work_[i].number) {
            work_[kept++] = work_[i];
        }
    }
    work_.resize(kept);

    everything = everything || heldBytes_.size() >= kHeldBytes;
    std::vector<Entry> held;
    for (std::size_t begin = 0; begin < work_.size();) {
        std::size_t end = begin + 1;
        while (end < work_.size() && work_[end].number - work_[end - 1].number <= kLargestGap + 1 &&
               work_[end].number - work_[begin].number < kLongestRun) {
            ++end;
        }
        const std::uint64_t span = work_[end - 1].number - work_[begin].number + 1;
        if (!everything && (end - begin < kFewest || (end - begin) * 2 < span)) {
            for (std::size_t i = begin; i < end; ++i) {
                Hold(work_[i], batch, held);
            }
        } else {
            WriteCluster(file, batch, begin, end);
        }
        begin = end;
    }
    held_.swap(held);
    if (held_.empty()) {
        heldBytes_.clear();
    }
    reset.done = true;
}

void ReplacedRecords::Hold(const Entry& entry, const Batch& batch, std::vector<Entry>& held)
{
    if (entry.held) {
        held.push_back(entry);
        return;
    }
    const std::uint8_t* bytes = BytesOf(entry, batch);
    held.push_back(Entry{entry.number, entry.order, heldBytes_.size(), true});
    heldBytes_.insert(heldBytes_.end(), bytes, bytes + recordSize_);
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
