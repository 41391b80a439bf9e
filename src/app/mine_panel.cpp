// The "My companies" panel: its controls, their words in the language, the
// rows with their filter and sort, and the keys of the list.
#include "app/mine_panel.h"

#include "app/company_page_frame.h"
#include "app/html_view.h"
#include "app/mine_layer.h"
#include "app/mine_panel_texts.h"
#include "app/mnemonics.h"
#include "app/panel_parts.h"
#include "app/sort_key_item.h"
#include "app/windows1250.h"
#include "data/text.h"
#include "mine/mine_store.h"

#include <QComboBox>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTreeWidget>

#include <exception>

namespace dorvanta {

namespace {

// Lower case without diacritics, so "sat" finds "Şat" and "SAT".
QString Folded(const QString& text)
{
    QString folded;
    for (const QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.category() != QChar::Mark_NonSpacing) {
            folded.append(c.toLower());
        }
    }
    return folded;
}

QString AddedText(std::int64_t addedAt, Language language)
{
    if (addedAt <= 0) {
        return {};
    }
    const QDate date = QDateTime::fromSecsSinceEpoch(addedAt).toLocalTime().date();
    return date.toString(language == Language::RO ? QStringLiteral("dd.MM.yyyy")
                                                  : QStringLiteral("yyyy-MM-dd"));
}

// The caption's mnemonic letter and its text without the mark, for a label.
void SetLabelCaption(QLabel* label, QWidget* box, const char* marked)
{
    const QString text = QString::fromLatin1(marked);
    const QByteArray plain = WithoutMnemonic(text).toLatin1();
    SetCriteriaCaption(label, box, plain.constData(), MnemonicOf(text).toLower().toLatin1());
}

void SetButtonCaption(QPushButton* button, const char* marked)
{
    const QString text = QString::fromLatin1(marked);
    button->setText(text);
    button->setAccessibleName(WithoutMnemonic(text));
}

} // namespace

MinePanel::MinePanel(const WindowState& state, MineLayer& mine, QWidget* parent)
    : QWidget(parent), state_(state), mine_(mine), listName_(kFavouritesList)
{
    setObjectName(QStringLiteral("Panel_Mine"));
    SearchPanelParts parts(this, "Splitter_Mine", "Panel_Mine_Left");
    Panel_Mine_Header = parts.header = MakeHeader("Panel_Mine_Header", parts.left);
    ComboBox_Mine_List = parts.AddComboRow("Label_Mine_List", "ComboBox_Mine_List", Label_Mine_List);
    Edit_Mine_Filter = parts.AddEditRow("Label_Mine_Filter", "Edit_Mine_Filter", Label_Mine_Filter);
    Edit_Mine_Filter->setClearButtonEnabled(true);

    auto* commands = new QHBoxLayout;
    commands->setSpacing(4);
    const auto makeButton = [&](const char* name) {
        auto* button = new QPushButton(parts.criteria);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        commands->addWidget(button);
        return button;
    };
    Button_Mine_NewList = makeButton("Button_Mine_NewList");
    Button_Mine_DeleteList = makeButton("Button_Mine_DeleteList");
    Button_Mine_Export = makeButton("Button_Mine_Export");
    commands->addStretch(1);
    parts.grid->addLayout(commands, parts.rows++, 0, 1, 2);

    ListView_Mine = MakeResultList("ListView_Mine", parts.left);
    ListView_Mine->setColumnCount(3);
    ListView_Mine->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    ListView_Mine->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    ListView_Mine->header()->setSectionsClickable(true);
    ListView_Mine->setContextMenuPolicy(Qt::CustomContextMenu);
    view_ = MakeView("Web_Mine", parts.splitter);
    view_->SetProgramFolder(state_.programFolder);
    // The same star and note as around the company panel's page; the
    // history belongs to the company panel.
    PageFrameOptions frameOptions;
    frameOptions.prefix = "Mine";
    frameOptions.history = false;
    frameOptions.romanianNoteKey = 'a';
    frame_ = new CompanyPageFrame(mine, state, this, frameOptions);
    parts.pageAbove = frame_->Bar();
    parts.pageBelow = frame_->NotePart();
    parts.Finish(ListView_Mine, view_);
    parts.left->setMinimumWidth(270);
    // A little more room than the search panels' for three columns; the
    // page keeps the width of its banner.
    parts.splitter->setSizes({277, kClientWidth - 279});
    sheet_ = new HtmlView(this);
    sheet_->setObjectName(QStringLiteral("Sheet_Mine"));
    sheet_->hide();
    sheet_->SetProgramFolder(state_.programFolder);

    Popup_Mine_Row = new QMenu(this);
    Popup_Mine_Row->setObjectName(QStringLiteral("Popup_Mine_Row"));
    QAction* remove = Popup_Mine_Row->addAction(QString());
    remove->setObjectName(QStringLiteral("RemoveEntry1"));
    connect(remove, &QAction::triggered, this, &MinePanel::RemoveCurrentEntry);

    setTabOrder(ComboBox_Mine_List, Edit_Mine_Filter);
    setTabOrder(Edit_Mine_Filter, Button_Mine_NewList);
    setTabOrder(Button_Mine_NewList, Button_Mine_DeleteList);
    setTabOrder(Button_Mine_DeleteList, Button_Mine_Export);
    setTabOrder(Button_Mine_Export, ListView_Mine);
    frame_->SetTabOrder(ListView_Mine, view_);

    connect(ComboBox_Mine_List, &QComboBox::activated, this,
            [this](int index) { ChooseList(ComboBox_Mine_List->itemData(index).toString().toStdString()); });
    connect(Edit_Mine_Filter, &QLineEdit::textChanged, this, &MinePanel::ApplyFilter);
    connect(Button_Mine_NewList, &QPushButton::clicked, this, &MinePanel::NewList);
    connect(Button_Mine_DeleteList, &QPushButton::clicked, this, &MinePanel::DeleteList);
    connect(Button_Mine_Export, &QPushButton::clicked, this, &MinePanel::ExportList);
    connect(ListView_Mine->header(), &QHeaderView::sectionClicked, this, &MinePanel::SortByColumn);
    connect(ListView_Mine, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (const Entry* entry = EntryOf(current)) {
            ShowEntryPage(*entry);
        }
    });
    connect(ListView_Mine, &QTreeWidget::itemDoubleClicked, this, &MinePanel::OpenRow);
    connect(ListView_Mine, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QTreeWidgetItem* row = ListView_Mine->itemAt(at);
        if (row != nullptr) {
            ListView_Mine->setCurrentItem(row);
            Popup_Mine_Row->popup(ListView_Mine->viewport()->mapToGlobal(at));
        }
    });
    ListView_Mine->installEventFilter(this);
    for (int column = 0; column < 3; ++column) {
        auto* sortKey =
            new QShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + column)), this);
        sortKey->setContext(Qt::WidgetWithChildrenShortcut);
        connect(sortKey, &QShortcut::activated, this, [this, column] { SortByColumn(column); });
    }
    // A change made elsewhere (a star, a note, the command-line tool through
    // the window's next write) shows here when the panel is in front; a
    // panel behind catches up when it comes forward.
    connect(&mine_, &MineLayer::changed, this, [this] {
        if (isVisible()) {
            Refresh();
        }
    });
}

void MinePanel::ApplyLanguage()
{
    frame_->ApplyLanguage();
    const MineTexts& t = MineTextsOf(state_.language);
    Panel_Mine_Header->setText(QString::fromLatin1(t.header));
    SetLabelCaption(Label_Mine_List, ComboBox_Mine_List, t.list);
    SetLabelCaption(Label_Mine_Filter, Edit_Mine_Filter, t.filter);
    ComboBox_Mine_List->setAccessibleName(QString::fromLatin1(t.listChooser));
    Edit_Mine_Filter->setAccessibleName(QString::fromLatin1(t.filterBox));
    SetButtonCaption(Button_Mine_NewList, t.newList);
    SetButtonCaption(Button_Mine_DeleteList, t.deleteList);
    SetButtonCaption(Button_Mine_Export, t.exportList);
    ListView_Mine->setHeaderLabels({QString::fromLatin1(t.columnCompany), QString::fromLatin1(t.columnNote),
                                    QString::fromLatin1(t.columnAdded)});
    ListView_Mine->setAccessibleName(QString::fromLatin1(t.entries));
    ListView_Mine->header()->setToolTip(QString::fromLatin1(t.sortKeys));
    view_->setAccessibleName(QString::fromLatin1(t.page));
    QAction* remove = Popup_Mine_Row->actions().front();
    remove->setText(QString::fromLatin1(t.removeEntry));
    remove->setShortcut(QKeySequence(Qt::Key_Delete));
    AssignMnemonics(Popup_Mine_Row);
    // The page and the rows in the new language; a panel behind waits until
    // it comes forward, so the start costs no pass over database.db.
    shownName_.clear();
    if (isVisible()) {
        Refresh();
    }
}

void MinePanel::FocusList()
{
    if (ListView_Mine->topLevelItemCount() > 0) {
        ListView_Mine->setFocus(Qt::ShortcutFocusReason);
    } else {
        ComboBox_Mine_List->setFocus(Qt::ShortcutFocusReason);
    }
}

void MinePanel::FillRows()
{
    const QSignalBlocker blocker(ListView_Mine);
    ListView_Mine->clear();
    QList<QTreeWidgetItem*> rows;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Entry& entry = entries_[i];
        const QString note = QString::fromStdString(entry.note).simplified();
        auto* row =
            new SortKeyItem(QStringList{RowName(entry), note, AddedText(entry.addedAt, state_.language)}, 0);
        row->setData(0, kEntryRole, static_cast<qulonglong>(i));
        row->setData(0, kSortKeyRole, RomanianSortKey(QStringToWindows1250(row->text(0))));
        row->setData(1, kSortKeyRole, RomanianSortKey(QStringToWindows1250(note)));
        row->setData(2, kSortKeyRole, QByteArray::number(entry.addedAt).rightJustified(20, '0'));
        // The whole name and note where the columns cut them.
        row->setToolTip(0, row->text(0));
        row->setToolTip(1, QString::fromStdString(entry.note));
        if (directoryRead_ && !entry.company.recordNumber) {
            for (int column = 0; column < 3; ++column) {
                row->setForeground(column, kGrey);
            }
        }
        rows.append(row);
    }
    ListView_Mine->addTopLevelItems(rows);
    if (sortColumn_ >= 0) {
        ListView_Mine->sortItems(sortColumn_, sortOrder_);
    }
}

QString MinePanel::RowName(const Entry& entry) const
{
    // As the result lists show a name; a company gone shows the name it had.
    const std::string& stored =
        entry.company.recordNumber ? entry.company.record.Company : entry.company.name;
    QString name = Windows1250ToQString(TitleCaseName(ToLower(stored)));
    if (directoryRead_ && !entry.company.recordNumber) {
        name += QString::fromLatin1(MineTextsOf(state_.language).gone);
    }
    return name;
}

void MinePanel::ApplyFilter()
{
    const QStringList words = Folded(Edit_Mine_Filter->text()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QTreeWidgetItem* firstShown = nullptr;
    for (int i = 0; i < ListView_Mine->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = ListView_Mine->topLevelItem(i);
        const QString haystack = Folded(row->text(0) + QLatin1Char(' ') + row->toolTip(1));
        bool shown = true;
        for (const QString& word : words) {
            shown = shown && haystack.contains(word);
        }
        row->setHidden(!shown);
        if (shown && firstShown == nullptr) {
            firstShown = row;
        }
    }
    QTreeWidgetItem* current = ListView_Mine->currentItem();
    if ((current == nullptr || current->isHidden()) && firstShown != nullptr) {
        ListView_Mine->setCurrentItem(firstShown);
    }
}

void MinePanel::SortByColumn(int column)
{
    sortOrder_ =
        column == sortColumn_ && sortOrder_ == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    sortColumn_ = column;
    ListView_Mine->sortItems(column, sortOrder_);
    ListView_Mine->header()->setSortIndicator(column, sortOrder_);
    ListView_Mine->header()->setSortIndicatorShown(true);
}

const MinePanel::Entry* MinePanel::EntryOf(const QTreeWidgetItem* row) const
{
    if (row == nullptr) {
        return nullptr;
    }
    const auto index = row->data(0, kEntryRole).toULongLong();
    return index < entries_.size() ? &entries_[index] : nullptr;
}

void MinePanel::OpenRow(QTreeWidgetItem* row)
{
    if (row != ListView_Mine->currentItem()) {
        ListView_Mine->setCurrentItem(row);
    }
    view_->setFocus(Qt::OtherFocusReason);
}

bool MinePanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ListView_Mine && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            RemoveCurrentEntry();
            return true;
        }
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            ListView_Mine->currentItem() != nullptr) {
            OpenRow(ListView_Mine->currentItem());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace dorvanta
