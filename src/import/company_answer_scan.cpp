#include "import/company_answer_scan.h"

#include "import/line_source.h"
#include "import/record_import.h"

#include <algorithm>
#include <cerrno>
#include <utility>

namespace dorvanta {

void CompanyAnswerScan::AddLine(std::string_view text)
{
    ++lines_;
    CompanyNameIndex::Id id = CompanyNameIndex::kNoId;
    const CompanyLine line = ParseCompanyLine(text);
    if (line.valid) {
        anyValid_ = true;
        CompanyNameKey(line.fields[0], key_);
        id = names_.Insert(key_);
        if (id == lastLineOf_.size()) { // a name not seen before
            lastLineOf_.push_back(lines_ - 1);
            keptAt_.push_back(line.blank ? kNever : kSeenOnce);
            lastBlanks_.push_back(line.blank);
        } else {
            lastLineOf_[id] = lines_ - 1;
            lastBlanks_[id] = line.blank;
            KeepLastLine(id, text, line.blank);
        }
    }
    lineNames_.push_back(id);
}

void CompanyAnswerScan::KeepLastLine(CompanyNameIndex::Id id, std::string_view text, bool blank)
{
    std::uint32_t& at = keptAt_[id];
    if (at == kNever) {
        return;
    }
    if (at < kept_.size()) {
        keptBytes_ -= kept_[at].size();
        if (blank || keptBytes_ + text.size() > kKeptLineBytes) {
            std::string().swap(kept_[at]);
            at = kNever;
            return;
        }
        kept_[at].assign(text);
        keptBytes_ += text.size();
        return;
    }
    if (blank || keptBytes_ + text.size() > kKeptLineBytes) {
        at = kNever;
        return;
    }
    at = static_cast<std::uint32_t>(kept_.size());
    kept_.emplace_back(text);
    keptBytes_ += text.size();
}

ScanningOutputStream::ScanningOutputStream(std::ostream& target)
    : std::ostream(nullptr), buffer_(target.rdbuf())
{
    rdbuf(&buffer_);
    if (!target) {
        setstate(std::ios::badbit);
    }
}

CompanyAnswerScan ScanningOutputStream::Finish()
{
    return buffer_.Finish();
}

namespace {
// Blocks of 1 MiB, at most eight in flight.
constexpr std::size_t kBlockBytes = std::size_t{1} << 20;
constexpr std::size_t kBlocksInFlight = 8;
} // namespace

ScanningOutputStream::Buffer::Buffer(std::streambuf* target)
    : target_(target),
      // The target is given whole blocks too: a write of a megabyte costs the
      // system far less than sixty-four of sixteen kilobytes, as the network
      // hands them.
      pipe_(kBlockBytes, kBlocksInFlight,
            [this](const char* data, std::size_t size) {
                if (!targetFailed_) {
                    errno = 0;
                    targetFailed_ = !target_ || target_->sputn(data, static_cast<std::streamsize>(size)) !=
                                                    static_cast<std::streamsize>(size);
                    targetError_ = targetFailed_ ? errno : 0;
                }
                return !targetFailed_;
            }),
      helper_([this](std::stop_token stop) { ScanBlocks(stop); })
{
}

// The helper is stopped and joined by its own destructor: a stop aborts the
// pipe, so a helper waiting for a block wakes.
ScanningOutputStream::Buffer::~Buffer() = default;

void ScanningOutputStream::Buffer::ScanBlocks(std::stop_token stop)
{
    const std::stop_callback abort(stop, [this] { pipe_.Abort(); });
    try {
        std::vector<char> block;
        while (pipe_.Take(block)) {
            Scan(block.data(), block.size());
        }
    } catch (...) {
        failure_ = std::current_exception();
        pipe_.Abort();
    }
}

CompanyAnswerScan ScanningOutputStream::Buffer::Finish()
{
    if (helper_.joinable()) {
        pipe_.Close();
        helper_.join();
    }
    if (targetFailed_) {
        throw std::ios_base::failure("the answer could not be written");
    }
    if (failure_) {
        std::rethrow_exception(failure_);
    }
    EndLastLine();
    return std::exchange(scan_, {});
}

void ScanningOutputStream::Buffer::EndLastLine()
{
    if (started_) {
        scan_.AddLine(line_);
    }
    line_.clear();
    started_ = false;
    skipLineFeed_ = false;
}

std::streamsize ScanningOutputStream::Buffer::xsputn(const char* data, std::streamsize size)
{
    // Refused only when the target refused a block: a failed scan is
    // reported by Finish.
    return pipe_.Write(data, static_cast<std::size_t>(size)) || !targetFailed_ ? size : 0;
}

int ScanningOutputStream::Buffer::sync()
{
    return (pipe_.Flush() || !targetFailed_) && target_ && target_->pubsync() == 0 ? 0 : -1;
}

ScanningOutputStream::Buffer::int_type ScanningOutputStream::Buffer::overflow(int_type c)
{
    if (traits_type::eq_int_type(c, traits_type::eof())) {
        return traits_type::not_eof(c);
    }
    const char byte = traits_type::to_char_type(c);
    return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
}

void ScanningOutputStream::Buffer::Scan(const char* data, std::size_t size)
{
    const char* const end = data + size;
    while (data != end) {
        if (skipLineFeed_) {
            skipLineFeed_ = false;
            if (*data == '\n') {
                ++data;
                continue;
            }
        }
        const char* const lineBreak = FindLineBreak(data, end);
        const auto length = static_cast<std::size_t>(lineBreak - data);
        if (lineBreak != end && !started_) {
            // The whole line is here: scanned where it lies, not copied.
            scan_.AddLine(std::string_view(data, std::min(length, kMaxLineBytes)));
        } else {
            line_.append(data, std::min(length, kMaxLineBytes - line_.size()));
            started_ = started_ || length > 0;
            if (lineBreak != end) {
                scan_.AddLine(line_);
                line_.clear();
                started_ = false;
            }
        }
        data = lineBreak;
        if (lineBreak != end) {
            skipLineFeed_ = *lineBreak == '\r';
            ++data;
        }
    }
}

} // namespace dorvanta
