#include "tools/dup/TfrmDupCompare.h"

#include "controls/PrintRoutines.h"
#include "platform/DisplayName.h"
#include "platform/ReadOnlyOpen.h"

#include "base/ProgramMessages.h"
#include "base/SharedRoutines.h"
#include "controls/FileIcon.h"
#include "controls/ReadableColours.h"
#include "controls/WaitCursor.h"
#include "framework/WindowHooks.h"
#include "framework/core/FileDetails.h"
#include "platform/PeVersionInfo.h"
#include "tools/dup/DupCompareSource.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QUrl>
#include <QWindow>

namespace rw
{

namespace
{

constexpr int kClientWidth = 632;
// The left group box also holds the captions, so it is wider than the right.
constexpr int kLeftBox = 8, kLeftWidth = 352;
constexpr int kRightBox = 364, kRightWidth = 260;
constexpr int kBoxTop = 48;
constexpr int kRowTop = 18, kRowHeight = 18, kRows = 8;
constexpr int kBoxHeight = kRowTop + kRows * kRowHeight + 4;
constexpr int kCaptionWidth = 80;
constexpr int kListTop = kBoxTop + kBoxHeight + 6;
constexpr int kItemHeight = 16;
constexpr int kListHeight = 11 * kItemHeight + 4;
constexpr int kPanelHeight = 36;
constexpr int kMargin = 3;

const QColor kAqua(0, 255, 255);

const QString kUnknownDate = QStringLiteral("???");

TfrmDupCompare* g_instance = nullptr;

// Date, blank, time, two blanks and the relative age; "???" when the file
// system did not record the time.
QString dateTimeLabel(PackedDateTime packed, const QDateTime& now)
{
    const QString date = PackedDateText(packed);
    if (date.isEmpty())
        return kUnknownDate;
    return date + QLatin1Char(' ') + PackedTimeText(packed) + QStringLiteral("  ") +
           RelativeDateText(PackedToDate(packed), now);
}

void setBackground(QWidget* w, const QColor& color, QPalette::ColorRole role = QPalette::Window)
{
    QPalette p = w->palette();
    p.setColor(role, color);
    // Aqua marks and the face stay as designed; the text is chosen to read on them.
    p.setColor(role == QPalette::Base ? QPalette::Text : QPalette::WindowText,
               ReadableColours::textOn(color));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

// Draws a version line over the list's own item background, its text on the
// colour the window gives for that line.
class VersionLineDelegate : public QStyledItemDelegate
{
public:
    explicit VersionLineDelegate(TfrmDupCompare* window)
        : QStyledItemDelegate(window), m_window(window)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& pal = option.palette;
        painter->fillRect(option.rect, selected ? pal.highlight() : pal.base());
        const QString text = index.data(Qt::DisplayRole).toString();
        const QFontMetrics fm(option.font);
        const QRect textRect(option.rect.left() + 2, option.rect.top(), fm.horizontalAdvance(text),
                             option.rect.height());
        const QColor back = m_window->versionLineColor(index.row());
        painter->fillRect(textRect, back);
        painter->setFont(option.font);
        painter->setPen(ReadableColours::textOn(back));
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), kItemHeight);
    }

private:
    TfrmDupCompare* m_window;
};

} // namespace

TfrmDupCompare::TfrmDupCompare(QWidget* parent) : QDialog(parent)
{
    if (!g_instance)
        g_instance = this;
    setObjectName(QStringLiteral("frmDupCompare"));
    setWindowTitle(tr("Compare file pairs"));
    setModal(false);
    QFont f = font();
    f.setPixelSize(11);
    setFont(f);
    m_buttonFace = QApplication::palette().color(QPalette::Button);
    m_listColor = m_buttonFace;

    buildSide(m_left, 1, kLeftBox, kLeftWidth, true);
    buildSide(m_right, 2, kRightBox, kRightWidth, false);
    m_listTop = kListTop;

    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_panel->setGeometry(0, kListTop + kListHeight + kMargin, kClientWidth, kPanelHeight);

    auto panelButton = [this](const QString& name, const QString& text, int left, int width,
                              const QString& hint) {
        auto* b = new QPushButton(text, m_panel);
        b->setObjectName(name);
        b->setGeometry(left, 6, width, 24);
        b->setAutoDefault(false);
        b->setToolTip(hint);
        return b;
    };
    m_btCompute = panelButton(QStringLiteral("btCompute"), tr("&Compute CRC values"), 8, 140,
                              tr("If CRC values are different the the contents of each file is "
                                 "different"));
    auto arrowButton = [this](const QString& name, Qt::ArrowType arrow, int left,
                              const QString& hint) {
        auto* b = new QToolButton(m_panel);
        b->setObjectName(name);
        b->setArrowType(arrow);
        b->setGeometry(left, 6, 28, 24);
        b->setToolTip(hint);
        return b;
    };
    m_sbL1 = arrowButton(QStringLiteral("sbL1"), Qt::LeftArrow, 160,
                         tr("Display previous match (PgUp)"));
    m_sbR1 =
        arrowButton(QStringLiteral("sbR1"), Qt::RightArrow, 192, tr("Display next match (PgDn)"));
    m_btPrint =
        panelButton(QStringLiteral("btPrint"), tr("&Print"), 464, 76, tr("Print file details"));
    m_btClose = panelButton(QStringLiteral("btClose"), tr("Close"), 548, 76, QString());

    connect(m_left.btMark, &QPushButton::clicked, this, &TfrmDupCompare::btMark1Click);
    connect(m_right.btMark, &QPushButton::clicked, this, &TfrmDupCompare::btMark2Click);
    connect(m_left.btLaunch, &QPushButton::clicked, this, &TfrmDupCompare::btLaunch1Click);
    connect(m_right.btLaunch, &QPushButton::clicked, this, &TfrmDupCompare::btLaunch2Click);
    connect(m_left.btView, &QPushButton::clicked, this, &TfrmDupCompare::btView1Click);
    connect(m_right.btView, &QPushButton::clicked, this, &TfrmDupCompare::btView2Click);
    connect(m_btCompute, &QPushButton::clicked, this, &TfrmDupCompare::btComputeClick);
    connect(m_sbL1, &QToolButton::clicked, this, &TfrmDupCompare::sbL1Click);
    connect(m_sbR1, &QToolButton::clicked, this, &TfrmDupCompare::sbR1Click);
    connect(m_btPrint, &QPushButton::clicked, this, &TfrmDupCompare::btPrintClick);
    connect(m_btClose, &QPushButton::clicked, this, &TfrmDupCompare::btCloseClick);

    // The window sees Page Up / Page Down before any of its controls (the
    // version lists would otherwise scroll with them).
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);

    setFixedSize(kClientWidth, m_panel->geometry().bottom() + 1 + kMargin);
    HighlightDifferences();
}

TfrmDupCompare::~TfrmDupCompare()
{
    if (g_instance == this)
        g_instance = nullptr;
}

void TfrmDupCompare::buildSide(Side& side, int index, int left, int width, bool withCaptions)
{
    const QString n = QString::number(index);
    side.image = new QLabel(this);
    side.image->setObjectName(QStringLiteral("Image") + n);
    side.image->setGeometry(left, 8, 32, 32);
    side.image->setAlignment(Qt::AlignCenter);

    const bool isLeft = index == 1;
    auto sideButton = [&](const QString& name, const QString& text, int slot, const QString& hint) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name + n);
        b->setGeometry(left + 40 + slot * 74, 12, 70, 24);
        b->setAutoDefault(false);
        b->setToolTip(hint);
        return b;
    };
    side.btMark = sideButton(QStringLiteral("btMark"), isLeft ? tr("&Mark") : tr("M&ark"), 0,
                             tr("Mark file for deletion (double click on grid also "
                                "works)"));
    side.btLaunch = sideButton(QStringLiteral("btLaunch"), isLeft ? tr("&Run") : tr("R&un"), 1,
                               tr("Run/launch associated application"));
    side.btView = sideButton(QStringLiteral("btView"), isLeft ? tr("&View") : tr("Vie&w"), 2,
                             tr("View file"));

    side.groupBox = new QGroupBox(this);
    side.groupBox->setObjectName(QStringLiteral("GroupBox") + n);
    side.groupBox->setGeometry(left, kBoxTop, width, kBoxHeight);

    static const char* const captions[kRows] = {
        QT_TR_NOOP("Folder:"),        QT_TR_NOOP("Size:"),        QT_TR_NOOP("Type:"),
        QT_TR_NOOP("Creation date:"), QT_TR_NOOP("Modify date:"), QT_TR_NOOP("Access date:"),
        QT_TR_NOOP("Attributes:"),    QT_TR_NOOP("CRC Value:")};
    // The right side spells two names differently; they are the names the
    // window's users know the labels by.
    const QStringList names = {QStringLiteral("lblFolder"),
                               isLeft ? QStringLiteral("lblSizeBytes")
                                      : QStringLiteral("lblSizebytes"),
                               isLeft ? QStringLiteral("lblType") : QStringLiteral("lblTYpe"),
                               QStringLiteral("lblCreate"),
                               QStringLiteral("lblModify"),
                               QStringLiteral("lblAccess"),
                               QStringLiteral("lblAttributes"),
                               QStringLiteral("lblCRC")};
    const int valueLeft = withCaptions ? 8 + kCaptionWidth + 2 : 8;
    QLabel** values[kRows] = {&side.lblFolder,     &side.lblSize,   &side.lblType,
                              &side.lblCreate,     &side.lblModify, &side.lblAccess,
                              &side.lblAttributes, &side.lblCRC};
    for (int r = 0; r < kRows; ++r) {
        const int top = kRowTop + r * kRowHeight;
        if (withCaptions) {
            auto* caption = new QLabel(tr(captions[r]), side.groupBox);
            caption->setGeometry(8, top, kCaptionWidth, kRowHeight - 2);
        }
        auto* value = new QLabel(side.groupBox);
        value->setObjectName(names[r] + n);
        value->setGeometry(valueLeft, top, width - valueLeft - 8, kRowHeight - 2);
        // File names and folders are shown as they are, never as markup.
        value->setTextFormat(Qt::PlainText);
        *values[r] = value;
    }

    side.tlBox = new QListWidget(this);
    side.tlBox->setObjectName(QStringLiteral("tlBox") + n);
    side.tlBox->setGeometry(left, kListTop, width, kListHeight);
    side.tlBox->setUniformItemSizes(true);
    setBackground(side.tlBox, m_buttonFace, QPalette::Base);
    side.tlBox->setItemDelegate(new VersionLineDelegate(this));
}

DupCompareSource* TfrmDupCompare::dupForm() const
{
    return m_dupForm;
}

void TfrmDupCompare::setDupForm(DupCompareSource* source)
{
    disconnect(m_sourceGone);
    m_dupForm = source;
    QWidget* w = source ? source->window() : nullptr;
    if (w) {
        // The duplicate window may go while this one lives on; never keep a
        // reference to a window that is gone.
        m_sourceGone = connect(w, &QObject::destroyed, this, [this] {
            m_dupForm = nullptr;
            hide();
            if (windowHandle())
                windowHandle()->setTransientParent(nullptr);
        });
    }
}

void TfrmDupCompare::showFor(DupCompareSource* source)
{
    setDupForm(source);
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    if (QWidget* w = source ? source->window() : nullptr)
        placeBeside(w);
    show();
    followSourceWindow();
}

void TfrmDupCompare::followSourceWindow()
{
    // The duplicate window runs modally, and a modal window lets only the
    // windows that stand on it take input. So this window stands on it (its
    // transient parent) while it compares that window's list, without being
    // its child: it outlives that window.
    QWidget* source = m_dupForm ? m_dupForm->window() : nullptr;
    if (!windowHandle())
        return;
    windowHandle()->setTransientParent(source ? source->windowHandle() : nullptr);
}

void TfrmDupCompare::placeBeside(const QWidget* other)
{
    // Beside the duplicate window, never over its buttons and the top of
    // its list: to its right when that fits the screen, else to its left,
    // else as low on the screen as the window goes.
    const QScreen* screen = other->screen();
    if (!screen)
        return;
    const QRect avail = screen->availableGeometry();
    const QRect frame = other->frameGeometry();
    const QSize size = frameGeometry().size();
    const int top = qBound(avail.top(), frame.top(), avail.bottom() - size.height());
    if (frame.right() + 1 + size.width() <= avail.right() + 1)
        move(frame.right() + 1, top);
    else if (frame.left() - size.width() >= avail.left())
        move(frame.left() - size.width(), top);
    else
        move(qBound(avail.left(), frame.left(), avail.right() - size.width()),
             avail.bottom() + 1 - size.height());
}

void TfrmDupCompare::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    followSourceWindow();
    if (!event->spontaneous())
        FormShow();
}

void TfrmDupCompare::FormShow()
{
    if (!m_dupForm)
        return;
    m_grid.copyFrom(*m_dupForm);
    m_matchMode = m_dupForm->matchMode();
    // The right-hand file is the next row, so the last row cannot start a
    // pair: start from the last pair instead of a partner past the end.
    const int sourceRow = m_dupForm->currentRow();
    m_row = qBound(1, sourceRow, qMax(1, m_grid.rowCount() - 2));
    if (m_row != sourceRow)
        m_dupForm->setCurrentRow(m_row);
    GetLeftValues(m_row);
    GetRightValues(m_row + 1);
    HighlightDifferences();
    m_btCompute->setFocus();
}

void TfrmDupCompare::GetLeftValues(int row)
{
    getValues(m_left, row);
}

void TfrmDupCompare::GetRightValues(int row)
{
    getValues(m_right, row);
}

void TfrmDupCompare::setName(Side& side, const QString& name)
{
    side.name = name;
    // A group box caption treats '&' as an accelerator mark.
    QString caption = name;
    side.groupBox->setTitle(caption.replace(QLatin1Char('&'), QStringLiteral("&&")));
}

void TfrmDupCompare::getValues(Side& side, int row)
{
    const QString folder = m_grid.cell(dcFolder, row);
    const QString name = m_grid.cell(dcFilename, row);
    side.path = m_dupForm ? m_dupForm->pathBytes(row) : QByteArray();
    side.lblCRC->clear();
    const QDateTime now = QDateTime::currentDateTime();

    if (folder.isEmpty() || side.path.isEmpty()) {
        // Without a folder there is no file to look at: only the name.
        side.path.clear();
        setName(side, name);
        side.image->clear();
        side.tlBox->clear();
        for (QLabel* l : {side.lblFolder, side.lblSize, side.lblType, side.lblAttributes})
            l->clear();
        for (QLabel* l : {side.lblCreate, side.lblModify, side.lblAccess})
            l->setText(kUnknownDate);
        return;
    }

    const FileDetails d = readFileDetails(side.path, now);
    if (!d.found)
        return;

    side.image->setPixmap(GetFileIcon(side.path).pixmap(32, 32));
    QStringList lines = ReadVersionInfo(side.path, false);
    if (lines.isEmpty())
        lines.append(tr("Extended profile absent"));
    side.tlBox->clear();
    side.tlBox->addItems(lines);

    side.lblFolder->setText(folder);
    side.lblFolder->setToolTip(folder);
    setName(side, name);
    side.lblType->setText(d.fileType);
    side.lblSize->setText(d.sizeBytes);
    side.lblAccess->setText(dateLabel(d.accessed, now));
    side.lblCreate->setText(dateTimeLabel(d.created, now));
    side.lblModify->setText(dateTimeLabel(d.modified, now));
    side.lblAttributes->setText(d.attributeText);
}

void TfrmDupCompare::HighlightDifferences()
{
    resizeIt();
    const std::pair<QLabel*, QLabel*> pairs[] = {{m_left.lblFolder, m_right.lblFolder},
                                                 {m_left.lblSize, m_right.lblSize},
                                                 {m_left.lblType, m_right.lblType},
                                                 {m_left.lblCreate, m_right.lblCreate},
                                                 {m_left.lblModify, m_right.lblModify},
                                                 {m_left.lblAccess, m_right.lblAccess},
                                                 {m_left.lblAttributes, m_right.lblAttributes},
                                                 {m_left.lblCRC, m_right.lblCRC}};
    for (const auto& [a, b] : pairs) {
        const QColor color = a->text() == b->text() ? m_buttonFace : kAqua;
        setBackground(a, color);
        setBackground(b, color);
    }
    m_highlightLists = true;
    m_left.tlBox->viewport()->update();
    m_right.tlBox->viewport()->update();
}

void TfrmDupCompare::resizeIt()
{
    const bool lists = m_left.tlBox->count() > 1 || m_right.tlBox->count() > 1;
    m_left.tlBox->setVisible(lists);
    m_right.tlBox->setVisible(lists);
    const int panelTop = lists ? m_listTop + kListHeight + kMargin : m_listTop;
    m_panel->move(0, panelTop);
    setFixedSize(kClientWidth, m_panel->geometry().bottom() + 1 + kMargin);

    if (const QScreen* s = screen()) {
        const int screenBottom = s->geometry().bottom() + 1;
        const QRect frame = frameGeometry();
        if (frame.bottom() + 1 > screenBottom)
            move(x(), screenBottom - frame.height() - 20);
    }
}

void TfrmDupCompare::changeBackgroundColor(const QColor& color)
{
    setBackground(this, color);
    m_listColor = color;
    m_highlightLists = false;
    for (QListWidget* l : {m_left.tlBox, m_right.tlBox}) {
        setBackground(l, color, QPalette::Base);
        l->viewport()->update();
    }
    for (QGroupBox* g : findChildren<QGroupBox*>())
        setBackground(g, color);
    for (QLabel* l : findChildren<QLabel*>())
        setBackground(l, color);
}

QColor TfrmDupCompare::versionLineColor(int line) const
{
    QStringList left, right;
    for (int i = 0; i < m_left.tlBox->count(); ++i)
        left.append(m_left.tlBox->item(i)->text());
    for (int i = 0; i < m_right.tlBox->count(); ++i)
        right.append(m_right.tlBox->item(i)->text());
    return m_highlightLists && versionLineDiffers(left, right, line) ? kAqua : m_listColor;
}

bool TfrmDupCompare::isPageKey(const QKeyEvent* event) const
{
    return event->key() == Qt::Key_PageDown || event->key() == Qt::Key_PageUp;
}

void TfrmDupCompare::FormKeyUp(int key)
{
    if (key == Qt::Key_PageDown)
        sbR1Click();
    else if (key == Qt::Key_PageUp)
        sbL1Click();
}

void TfrmDupCompare::keyPressEvent(QKeyEvent* event)
{
    if (isPageKey(event)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmDupCompare::keyReleaseEvent(QKeyEvent* event)
{
    if (isPageKey(event)) {
        // One step per key stroke, as the key comes up.
        if (!event->isAutoRepeat())
            FormKeyUp(event->key());
        event->accept();
        return;
    }
    QDialog::keyReleaseEvent(event);
}

bool TfrmDupCompare::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (isPageKey(key)) {
            if (event->type() == QEvent::KeyPress)
                keyPressEvent(key);
            else
                keyReleaseEvent(key);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmDupCompare::showPair(int row)
{
    m_row = row;
    GetLeftValues(row);
    GetRightValues(row + 1);
    HighlightDifferences();
    if (m_dupForm)
        m_dupForm->setCurrentRow(row);
}

void TfrmDupCompare::sbR1Click()
{
    if (m_row >= m_grid.rowCount() - 2)
        return;
    const int row = nextPairRow(m_grid, m_matchMode, m_row);
    if (row < 0) {
        // No later pair: stay on this one and say so.
        messageResponder()->beep(BeepKind::Exclamation);
        return;
    }
    showPair(row);
}

void TfrmDupCompare::sbL1Click()
{
    const int row = previousPairRow(m_grid, m_matchMode, m_row);
    if (row >= 0)
        showPair(row);
}

void TfrmDupCompare::btMark1Click()
{
    if (m_dupForm)
        m_dupForm->MarkThisFile(m_row);
}

void TfrmDupCompare::btMark2Click()
{
    if (m_dupForm)
        m_dupForm->MarkThisFile(m_row + 1);
}

QByteArray TfrmDupCompare::sidePath(const Side& side) const
{
    return side.lblFolder->text().isEmpty() ? QByteArray() : side.path;
}

void TfrmDupCompare::run(const Side& side)
{
    const QByteArray path = sidePath(side);
    QUrl url;
    url.setScheme(QStringLiteral("file"));
    url.setPath(QString::fromLatin1(path.toPercentEncoding("/")), QUrl::TolerantMode);
    if (path.isEmpty() || !QDesktopServices::openUrl(url))
        ShowErrorMessage(tr("Couldn't run %1").arg(path.isEmpty() ? side.name : displayName(path)));
}

void TfrmDupCompare::view(const Side& side)
{
    const QByteArray path = sidePath(side);
    if (!path.isEmpty() && windowHooks().openViewer)
        windowHooks().openViewer(this, path);
}

void TfrmDupCompare::btLaunch1Click()
{
    run(m_left);
}

void TfrmDupCompare::btLaunch2Click()
{
    run(m_right);
}

void TfrmDupCompare::btView1Click()
{
    view(m_left);
}

void TfrmDupCompare::btView2Click()
{
    view(m_right);
}

bool TfrmDupCompare::sideCrc(const Side& side, std::uint32_t* crc, QString* error)
{
    const QByteArray path = sidePath(side);
    const QString cannotOpen =
        tr("Cannot open file %1").arg(path.isEmpty() ? side.name : displayName(path));
    // Only regular files: opening a FIFO that took the file's place would
    // block the program.
    FileDescriptor fd = path.isEmpty() ? FileDescriptor() : openRegularFileForReading(path);
    QFile file;
    if (!fd.isValid() || !file.open(fd.get(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        *error = cannotOpen;
        return false;
    }
    fd.release();
    try {
        *crc = m_crcCalc.CalcFileCRC(&file);
    } catch (const std::exception& e) {
        *error = QString::fromUtf8(e.what());
        return false;
    }
    return true;
}

void TfrmDupCompare::btComputeClick()
{
    QString error;
    {
        const WaitCursor wait;
        std::uint32_t left = 0, right = 0;
        if (sideCrc(m_left, &left, &error)) {
            m_left.lblCRC->setText(crcLabelText(left));
            if (sideCrc(m_right, &right, &error)) {
                m_right.lblCRC->setText(crcLabelText(right));
                const QString verdict = crcVerdict(left, right);
                m_left.lblCRC->setText(m_left.lblCRC->text() + verdict);
                m_right.lblCRC->setText(m_right.lblCRC->text() + verdict);
                HighlightDifferences();
            }
        }
    }
    // The message comes after the cursor is back to normal.
    if (!error.isEmpty())
        ShowErrorMessage(error);
}

void TfrmDupCompare::btPrintClick()
{
    QPrinter dialogPrinter(QPrinter::HighResolution);
    QPrinter* printer = choosePrinter(this, m_printer, dialogPrinter);
    if (!printer)
        return;

    changeBackgroundColor(Qt::white);
    const QPixmap image = grab();
    changeBackgroundColor(m_buttonFace);
    HighlightDifferences();
    if (image.isNull())
        return;

    // As large on paper as on the screen, but never beyond the page.
    const double screenDpi = logicalDpiX() > 0 ? logicalDpiX() : 96.0;
    if (!printImage(printer, image.toImage(), printer->resolution() / screenDpi))
        ShowMessageBox(MessageKind::Error, tr("Error printing report ... quitting"));
}

void TfrmDupCompare::btCloseClick()
{
    hide();
}

TfrmDupCompare* dupCompareWindow()
{
    if (!g_instance) {
        // Made here only when the launcher did not make one; it goes with
        // the application object, before the window system is shut down.
        static QPointer<TfrmDupCompare> owned;
        owned = new TfrmDupCompare;
        qAddPostRoutine([] { delete owned.data(); });
    }
    return g_instance;
}

} // namespace rw
