// The small widget kit the panels are built from.
#include "app/panel_parts.h"

#include "app/button_faces.h"
#include "app/captions.h"
#include "app/html_view.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dorvanta {

namespace {

// Asks the criteria for their size each time: QScrollArea keeps the size its
// widget had first, and the company panel's advanced rows change it.
class CriteriaArea : public QScrollArea
{
public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override
    {
        const int frame = 2 * frameWidth();
        return widget() != nullptr ? widget()->sizeHint() + QSize(frame, frame) : QScrollArea::sizeHint();
    }
};

constexpr int kBoxHeight = 21;

void PaintBox(QWidget* control)
{
    QPalette palette = control->palette();
    palette.setColor(QPalette::Base, kBoxFill);
    palette.setColor(QPalette::Button, kBoxFill);
    palette.setColor(QPalette::Window, kBoxFill);
    control->setPalette(palette);
}

// A result list between two olive lines, with a grey bar on its left.
QWidget* FramedList(QTreeWidget* list, QWidget* parent)
{
    auto* frame = new QWidget(parent);
    auto* column = new QVBoxLayout(frame);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(Strip(frame, kOlive, 0, 2));
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    row->addWidget(Strip(frame, kGrey, 3, 0));
    list->setParent(frame);
    row->addWidget(list);
    column->addLayout(row, 1);
    column->addWidget(Strip(frame, kOlive, 0, 2));
    return frame;
}

// A page view with a grey bar on its right and an olive line below, and
// the panel's own controls above and below the page, if any.
QWidget* FramedView(HtmlView* view, QWidget* above, QWidget* below, QWidget* parent)
{
    auto* frame = new QWidget(parent);
    auto* column = new QVBoxLayout(frame);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    if (above != nullptr) {
        above->setParent(frame);
        column->addWidget(above);
    }
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    view->setParent(frame);
    row->addWidget(view, 1);
    row->addWidget(Strip(frame, kGrey, 3, 0));
    column->addLayout(row, 1);
    if (below != nullptr) {
        below->setParent(frame);
        column->addWidget(below);
    }
    column->addWidget(Strip(frame, kOlive, 0, 2));
    return frame;
}

QSplitter* MakeSplitter(const char* name, QWidget* parent)
{
    auto* splitter = new QSplitter(Qt::Horizontal, parent);
    splitter->setObjectName(QString::fromLatin1(name));
    splitter->setHandleWidth(2);
    splitter->setChildrenCollapsible(false);
    splitter->setStyleSheet(QStringLiteral("QSplitter::handle { background: rgb(112,112,112); }"));
    return splitter;
}

} // namespace

double FontScale()
{
    const QFont font = QApplication::font();
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
    return std::max(1.0, points / 9.0);
}

QWidget* Strip(QWidget* parent, const QColor& colour, int width, int height)
{
    auto* strip = new QWidget(parent);
    strip->setAutoFillBackground(true);
    QPalette palette = strip->palette();
    palette.setColor(QPalette::Window, colour);
    strip->setPalette(palette);
    if (width > 0) {
        strip->setFixedWidth(width);
    }
    if (height > 0) {
        strip->setFixedHeight(height);
    }
    return strip;
}

BoxFrame::BoxFrame(QWidget* control, bool clipBorder, QWidget* parent)
    : QWidget(parent), clip_(new QWidget(this)), control_(control), clipBorder_(clipBorder)
{
    control_->setParent(clip_);
    control_->installEventFilter(this);
    // Tall enough for the text of any font: "Search for company?" is never cut.
    setFixedHeight(std::max(kBoxHeight, control_->fontMetrics().height() + 7));
    setMinimumWidth(60);
}

bool BoxFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == control_ && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        focused_ = event->type() == QEvent::FocusIn;
        update();
    }
    return QWidget::eventFilter(watched, event);
}

void BoxFrame::resizeEvent(QResizeEvent*)
{
    const QRect inner(1, 1, width() - 2, height() - 2);
    clip_->setGeometry(inner);
    if (clipBorder_) {
        control_->setGeometry(-2, -2, inner.width() + 4, inner.height() + 4);
    } else {
        control_->setGeometry(0, 0, inner.width(), inner.height());
    }
}

void BoxFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), kBoxFill);
    // The one-pixel line is the frame's own; focus turns it blue, and only a
    // drop-down list needs it (a text box shows its cursor).
    painter.setPen(focused_ && clipBorder_ ? kBlue : kOlive);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

QLineEdit* MakeEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setFrame(false);
    edit->setTextMargins(3, 0, 0, 0);
    PaintBox(edit);
    return edit;
}

QComboBox* MakeCombo(const char* name, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setMaxVisibleItems(24);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    PaintBox(combo);
    return combo;
}

QLabel* MakeLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QLabel* MakeHeader(const char* name, QWidget* parent)
{
    auto* header = new QLabel(parent);
    header->setObjectName(QString::fromLatin1(name));
    QFont bold = header->font();
    bold.setBold(true);
    header->setFixedHeight(std::max(22, QFontMetrics(bold).height() + 8));
    header->setIndent(8);
    header->setAutoFillBackground(true);
    QPalette palette = header->palette();
    palette.setColor(QPalette::Window, kOlive);
    palette.setColor(QPalette::WindowText, Qt::white);
    header->setPalette(palette);
    QFont font = header->font();
    font.setBold(true);
    header->setFont(font);
    return header;
}

QTreeWidget* MakeResultList(const char* name, QWidget* parent)
{
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setColumnCount(2);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setFrameShape(QFrame::NoFrame);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionsMovable(false);
    list->header()->setMinimumSectionSize(16);
    list->header()->resizeSection(0, 20);
    return list;
}

HtmlView* MakeView(const char* name, QWidget* parent)
{
    auto* view = new HtmlView(parent);
    view->setObjectName(QString::fromLatin1(name));
    return view;
}

void ChooseFirst(QComboBox* box)
{
    const QSignalBlocker blocker(box);
    box->setCurrentIndex(0);
}

void SetAllEntry(QComboBox* box, Language language)
{
    if (box->count() > 0) {
        box->setItemText(0, QString::fromLatin1(CaptionsOf(language).all));
    }
}

SearchPanelParts::SearchPanelParts(QWidget* panelWidget, const char* splitterName, const char* leftName)
    : panel(panelWidget)
{
    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    splitter = MakeSplitter(splitterName, panel);
    panelLayout->addWidget(splitter);

    left = new QWidget(splitter);
    left->setObjectName(QString::fromLatin1(leftName));
    left->setMinimumWidth(275);
    column = new QVBoxLayout(left);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    criteriaArea = new CriteriaArea(left);
    criteriaArea->setFrameShape(QFrame::NoFrame);
    criteriaArea->setWidgetResizable(true);
    criteriaArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    criteriaArea->setFocusPolicy(Qt::NoFocus);
    criteriaArea->viewport()->setAutoFillBackground(false);
    criteria = new QWidget(criteriaArea);
    criteria->setAutoFillBackground(false);
    grid = new QGridLayout(criteria);
    grid->setContentsMargins(10, 8, 10, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(5);
    grid->setColumnStretch(1, 1);
}

void SearchPanelParts::AddRow(QLabel* label, QLineEdit* edit)
{
    grid->addWidget(label, rows, 0, Qt::AlignVCenter);
    grid->addWidget(new BoxFrame(edit, false, criteria), rows++, 1);
}

void SearchPanelParts::AddRow(QLabel* label, QComboBox* box)
{
    grid->addWidget(label, rows, 0, Qt::AlignVCenter);
    grid->addWidget(new BoxFrame(box, true, criteria), rows++, 1);
}

QLineEdit* SearchPanelParts::AddEditRow(const char* labelName, const char* editName, QLabel*& label)
{
    label = MakeLabel(labelName, criteria);
    QLineEdit* edit = MakeEdit(editName, criteria);
    AddRow(label, edit);
    return edit;
}

QComboBox* SearchPanelParts::AddComboRow(const char* labelName, const char* comboName, QLabel*& label)
{
    label = MakeLabel(labelName, criteria);
    QComboBox* box = MakeCombo(comboName, criteria);
    AddRow(label, box);
    return box;
}

PictureButton* SearchPanelParts::AddSearchButton(const char* name)
{
    auto* button = new PictureButton(criteria);
    button->setObjectName(QString::fromLatin1(name));
    button->setFixedSize(67, 20);
    button->setCursor(Qt::PointingHandCursor);
    grid->addWidget(button, rows++, 1, Qt::AlignRight);
    return button;
}

void SearchPanelParts::Finish(QTreeWidget* list, HtmlView* view)
{
    column->addWidget(header);
    criteriaArea->setWidget(criteria);
    // As tall as the criteria when there is room; a large font on a small
    // screen lets them scroll and keeps a few rows of the list.
    criteriaArea->setMinimumHeight(criteria->minimumSizeHint().height() / 3);
    criteriaArea->setMaximumHeight(criteria->sizeHint().height());
    column->addWidget(criteriaArea);
    column->addWidget(FramedList(list, left), 1);
    splitter->addWidget(left);
    splitter->addWidget(FramedView(view, pageAbove, pageBelow, splitter));
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({leftWidth, kClientWidth - leftWidth - 2});
}

} // namespace dorvanta
