#include "app/mine_layer.h"

#include "app/window_state.h"
#include "data/file_access.h"
#include "mine/mine_store.h"

namespace dorvanta {

namespace {

// The window waits less than the command-line tool: it is the user's own
// click that waits.
constexpr int kWindowBusyTimeoutMs = 2000;

} // namespace

QString MineProblemText(int kind, const QString& detail, Language language)
{
    const bool ro = language == Language::RO;
    switch (static_cast<MineError::Kind>(kind)) {
    case MineError::Kind::Newer:
        return ro ? QStringLiteral("Listele dvs. (mine.sqlite) au fost scrise de o versiune mai noua a "
                                   "programului si au fost lasate neschimbate.")
                  : QStringLiteral("Your lists (mine.sqlite) were written by a newer version of the "
                                   "program and were left as they are.");
    case MineError::Kind::Damaged:
        return ro ? QStringLiteral("Fisierul listelor dvs. (mine.sqlite) este deteriorat; a fost lasat "
                                   "neschimbat. %1")
                        .arg(detail)
                  : QStringLiteral("Your lists file (mine.sqlite) is damaged; it was left as it is. %1")
                        .arg(detail);
    case MineError::Kind::Locked:
        return ro ? QStringLiteral("Listele dvs. sunt folosite de alt program. Reincercati in cateva "
                                   "momente.")
                  : QStringLiteral("Your lists are in use by another program. Please try again in a "
                                   "moment.");
    case MineError::Kind::CannotOpen:
        return ro ? QStringLiteral("Listele dvs. (mine.sqlite) nu pot fi deschise: %1").arg(detail)
                  : QStringLiteral("Your lists (mine.sqlite) cannot be opened: %1").arg(detail);
    case MineError::Kind::Unavailable:
        return detail;
    case MineError::Kind::Failed:
        break;
    }
    return ro ? QStringLiteral("Listele dvs. nu au putut fi citite sau salvate: %1").arg(detail)
              : QStringLiteral("Your lists could not be read or saved: %1").arg(detail);
}

MineLayer::MineLayer(std::filesystem::path file, const WindowState& state, QObject* parent)
    : QObject(parent), file_(std::move(file)), state_(state)
{
    Available();
}

MineLayer::~MineLayer() = default;

bool MineLayer::Available()
{
    if (store_) {
        return true;
    }
    if (file_.empty()) {
        problem_ =
            MineProblemText(static_cast<int>(MineError::Kind::CannotOpen),
                            state_.language == Language::RO ? QStringLiteral("nu exista un dosar personal")
                                                            : QStringLiteral("there is no home folder"),
                            state_.language);
        return false;
    }
    try {
        MineOptions options;
        options.busyTimeoutMs = kWindowBusyTimeoutMs;
        store_ = std::make_unique<MineStore>(file_, options);
        problem_.clear();
        return true;
    } catch (const MineError& error) {
        problem_ =
            MineProblemText(static_cast<int>(error.kind()), QString::fromUtf8(error.what()), state_.language);
    }
    return false;
}

bool MineLayer::Run(const std::function<void(MineStore&)>& work)
{
    if (!Available()) {
        emit failed(problem_);
        return false;
    }
    try {
        work(*store_);
        return true;
    } catch (const MineError& error) {
        problem_ =
            MineProblemText(static_cast<int>(error.kind()), QString::fromUtf8(error.what()), state_.language);
    } catch (const FileError& error) {
        // database.db, read to show what a list's names are now.
        problem_ = QString::fromUtf8(error.what());
    }
    emit failed(problem_);
    return false;
}

bool MineLayer::Read(const std::function<void(MineStore&)>& work)
{
    return Run(work);
}

bool MineLayer::Write(const std::function<void(MineStore&)>& work)
{
    if (!Run(work)) {
        return false;
    }
    emit changed();
    return true;
}

bool MineLayer::WriteQuietly(const std::function<void(MineStore&)>& work)
{
    return Run(work);
}

} // namespace dorvanta
