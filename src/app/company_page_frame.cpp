#include "app/company_page_frame.h"

#include "app/list_menu.h"
#include "app/mine_layer.h"
#include "app/panel_parts.h"
#include "app/window_state.h"
#include "app/windows1250.h"
#include "import/record_import.h"
#include "mine/mine_store.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace dorvanta {

namespace {

// `text` with an ampersand before the first `key`.
QString WithMnemonic(QString text, char key)
{
    const int at = text.indexOf(QLatin1Char(key), 0, Qt::CaseInsensitive);
    if (at >= 0) {
        text.insert(at, QLatin1Char('&'));
    }
    return text;
}

// A note is written once the typing pauses this long.
constexpr int kNotePauseMs = 800;
// A profile shown this long counts as opened.
constexpr int kDwellMs = 1000;
constexpr std::size_t kSeenLimit = 200;

QString ObjectName(const char* pattern, const char* prefix)
{
    return QString::fromLatin1(pattern).arg(QString::fromLatin1(prefix));
}

QToolButton* MakeToolButton(const QString& name, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

} // namespace

CompanyPageFrame::CompanyPageFrame(MineLayer& mine, const WindowState& state, QWidget* parent,
                                   const PageFrameOptions& options)
    : QObject(parent), mine_(mine), state_(state), options_(options)
{
    const char* prefix = options_.prefix;
    bar_ = new QWidget(parent);
    bar_->setObjectName(ObjectName("Panel_%1_PageBar", prefix));
    auto* row = new QHBoxLayout(bar_);
    row->setContentsMargins(4, 1, 4, 1);
    row->setSpacing(2);
    back_ = MakeToolButton(ObjectName("Button_%1_Back", prefix), bar_);
    back_->setArrowType(Qt::LeftArrow);
    forward_ = MakeToolButton(ObjectName("Button_%1_Forward", prefix), bar_);
    forward_->setArrowType(Qt::RightArrow);
    star_ = MakeToolButton(ObjectName("Button_%1_Favourite", prefix), bar_);
    star_->setCheckable(true);
    star_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    lists_ = MakeToolButton(ObjectName("Button_%1_Lists", prefix), bar_);
    lists_->setPopupMode(QToolButton::InstantPopup);
    auto* listMenu = new QMenu(lists_);
    listMenu->setObjectName(QStringLiteral("ListMenu"));
    lists_->setMenu(listMenu);
    row->addWidget(back_);
    row->addWidget(forward_);
    row->addSpacing(8);
    back_->setVisible(options_.history);
    forward_->setVisible(options_.history);
    row->addWidget(star_);
    row->addWidget(lists_);
    row->addStretch(1);

    notePart_ = new QWidget(parent);
    notePart_->setObjectName(ObjectName("Panel_%1_Note", prefix));
    auto* noteColumn = new QHBoxLayout(notePart_);
    noteColumn->setContentsMargins(4, 3, 4, 3);
    noteColumn->setSpacing(6);
    noteLabel_ = MakeLabel(ObjectName("Label_%1_Note", prefix).toLatin1().constData(), notePart_);
    note_ = new QPlainTextEdit(notePart_);
    note_->setObjectName(ObjectName("Memo_%1_Note", prefix));
    note_->setTabChangesFocus(true);
    // Three lines of the window's font.
    note_->setFixedHeight(static_cast<int>(std::lround(note_->fontMetrics().lineSpacing() * 3.6)));
    noteLabel_->setBuddy(note_);
    noteColumn->addWidget(noteLabel_, 0, Qt::AlignTop);
    noteColumn->addWidget(note_, 1);

    notePause_ = new QTimer(this);
    notePause_->setSingleShot(true);
    notePause_->setInterval(kNotePauseMs);
    dwell_ = new QTimer(this);
    dwell_->setSingleShot(true);
    dwell_->setInterval(kDwellMs);

    connect(notePause_, &QTimer::timeout, this, &CompanyPageFrame::SaveNote);
    connect(dwell_, &QTimer::timeout, this, &CompanyPageFrame::RecordHistory);
    connect(note_, &QPlainTextEdit::textChanged, this, [this] {
        if (loadingNote_ || noteKey_.empty()) {
            return;
        }
        noteDirty_ = true;
        notePause_->start();
    });
    connect(back_, &QToolButton::clicked, this, &CompanyPageFrame::Back);
    connect(forward_, &QToolButton::clicked, this, &CompanyPageFrame::Forward);
    connect(star_, &QToolButton::clicked, this, &CompanyPageFrame::ToggleFavourite);
    connect(listMenu, &QMenu::aboutToShow, this,
            [this, listMenu] { FillListMenu(listMenu, mine_, key_, state_.language, bar_->window()); });
    connect(&mine_, &MineLayer::changed, this, &CompanyPageFrame::RefreshFromStore);

    // The keys work anywhere in the panel.
    auto* starKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_D), parent);
    starKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(starKey, &QShortcut::activated, this, [this] {
        if (star_->isEnabled()) {
            star_->click();
        }
    });
    if (!options_.history) {
        ShowingNoCompany();
        return;
    }
    auto* backKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Left), parent);
    backKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(backKey, &QShortcut::activated, this, &CompanyPageFrame::Back);
    auto* forwardKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Right), parent);
    forwardKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(forwardKey, &QShortcut::activated, this, &CompanyPageFrame::Forward);

    mine_.Read([this](MineStore& store) { history_ = store.History(); });
    ShowingNoCompany();
}

CompanyPageFrame::~CompanyPageFrame()
{
    SaveNote();
}

void CompanyPageFrame::SetTabOrder(QWidget* before, QWidget* page)
{
    QWidget::setTabOrder(before, back_);
    QWidget::setTabOrder(back_, forward_);
    QWidget::setTabOrder(forward_, star_);
    QWidget::setTabOrder(star_, lists_);
    QWidget::setTabOrder(lists_, page);
    QWidget::setTabOrder(page, note_);
}

void CompanyPageFrame::ApplyLanguage()
{
    const bool ro = state_.language == Language::RO;
    back_->setToolTip(ro ? QStringLiteral("Firma vazuta inainte (Alt+Stanga)")
                         : QStringLiteral("The company seen before (Alt+Left)"));
    back_->setAccessibleName(ro ? QStringLiteral("Inapoi") : QStringLiteral("Back"));
    forward_->setToolTip(ro ? QStringLiteral("Firma vazuta dupa (Alt+Dreapta)")
                            : QStringLiteral("The company seen after (Alt+Right)"));
    forward_->setAccessibleName(ro ? QStringLiteral("Inainte") : QStringLiteral("Forward"));
    star_->setAccessibleName(ro ? QStringLiteral("Favorita") : QStringLiteral("Favourite"));
    lists_->setText(ro ? QStringLiteral("Liste") : QStringLiteral("Lists"));
    lists_->setAccessibleName(ro ? QStringLiteral("Listele firmei") : QStringLiteral("The company's lists"));
    lists_->setToolTip(ro ? QStringLiteral("Adauga firma la o lista sau scoate-o")
                          : QStringLiteral("Add the company to a list or take it off"));
    // The mnemonics clash with nothing of the menu bar or the criteria.
    noteLabel_->setText(ro ? WithMnemonic(QStringLiteral("Nota mea"), options_.romanianNoteKey)
                           : QStringLiteral("M&y note"));
    note_->setAccessibleName(ro ? QStringLiteral("Nota mea") : QStringLiteral("My note"));
    if (key_.empty()) {
        ShowStar(false);
    } else {
        RefreshFromStore();
    }
    note_->setPlaceholderText(
        ro ? QStringLiteral("Scrieti o nota despre aceasta firma; se pastreaza singura.")
           : QStringLiteral("Type a note on this company; it is kept as you type."));
    UpdateButtons();
}

void CompanyPageFrame::ShowingCompany(std::uint64_t number, const std::string& name, bool fromHistory)
{
    SaveNote();
    key_ = CompanyNameKey(name);
    if (!options_.history) {
        fromHistory = true; // nothing to keep
    }
    seen_.erase(std::remove_if(seen_.begin(), seen_.end(), [&](const auto& s) { return s.first == key_; }),
                seen_.end());
    seen_.emplace_back(key_, number);
    if (seen_.size() > kSeenLimit) {
        seen_.erase(seen_.begin());
    }
    if (fromHistory) {
        dwell_->stop();
    } else {
        dwell_->start();
    }
    note_->setEnabled(true);
    lists_->setEnabled(true);
    star_->setEnabled(true);
    RefreshFromStore();
    UpdateButtons();
}

void CompanyPageFrame::ShowingNoCompany()
{
    SaveNote();
    dwell_->stop();
    key_.clear();
    noteKey_.clear();
    const QSignalBlocker quiet(note_);
    note_->clear();
    note_->setEnabled(false);
    star_->setEnabled(false);
    ShowStar(false);
    lists_->setEnabled(false);
    UpdateButtons();
}

void CompanyPageFrame::RefreshFromStore()
{
    if (key_.empty()) {
        return;
    }
    std::optional<std::string> note;
    std::vector<std::string> holding;
    mine_.Read([&](MineStore& store) {
        note = store.Note(key_);
        holding = store.ListsOf(key_);
    });
    ShowStar(std::find(holding.begin(), holding.end(), kFavouritesList) != holding.end());
    // What is being typed stays; another company's note replaces the box.
    if (noteKey_ == key_ && (noteDirty_ || note_->hasFocus())) {
        return;
    }
    noteKey_ = key_;
    const QString text = QString::fromStdString(note.value_or(std::string()));
    if (note_->toPlainText() != text) {
        loadingNote_ = true;
        note_->setPlainText(text);
        // Typing adds to the note, as in any editor opened on a text.
        note_->moveCursor(QTextCursor::End);
        loadingNote_ = false;
    }
    noteDirty_ = false;
}

void CompanyPageFrame::ShowStar(bool favourite)
{
    star_->setChecked(favourite);
    const bool ro = state_.language == Language::RO;
    star_->setText(favourite
                       ? (ro ? QStringLiteral("\u2605 In Favorite") : QStringLiteral("\u2605 In Favourites"))
                       : (ro ? QStringLiteral("\u2606 Adauga la Favorite")
                             : QStringLiteral("\u2606 Add to Favourites")));
    star_->setToolTip(favourite ? (ro ? QStringLiteral("Scoate din Favorite (Ctrl+D)")
                                      : QStringLiteral("Remove from Favourites (Ctrl+D)"))
                                : (ro ? QStringLiteral("Adauga la Favorite (Ctrl+D)")
                                      : QStringLiteral("Add to Favourites (Ctrl+D)")));
}

void CompanyPageFrame::SaveNote()
{
    notePause_->stop();
    if (!noteDirty_ || noteKey_.empty()) {
        return;
    }
    const std::string text = note_->toPlainText().toStdString();
    const std::string key = noteKey_;
    // Clean before the write: the views that hear of the change may show
    // another company, which saves the note again.
    noteDirty_ = false;
    // A failed write keeps the box dirty, so the next pause or change of
    // company tries again; the status line says why it failed.
    if (!mine_.Write([&](MineStore& store) { store.SetNote(key, text); }) && noteKey_ == key) {
        noteDirty_ = true;
    }
}

void CompanyPageFrame::ToggleFavourite()
{
    const bool add = star_->isChecked();
    const std::string key = key_;
    if (key.empty()) {
        return;
    }
    mine_.Write([&](MineStore& store) {
        if (add) {
            store.Add(kFavouritesList, key);
        } else {
            store.Remove(kFavouritesList, key);
        }
    });
    RefreshFromStore();
}

} // namespace dorvanta
