#include "browser/TfrmDetails.h"

#include "base/ProgramMessages.h"
#include "base/SharedRoutines.h"
#include "controls/FileIcon.h"
#include "controls/PrintRoutines.h"
#include "controls/TextPrinter.h"
#include "controls/WaitCursor.h"
#include "framework/WindowHooks.h"
#include "framework/core/FileDetails.h"
#include "platform/DisplayName.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QShowEvent>
#include <QTime>
#include <QUrl>

namespace rw
{

namespace
{

constexpr int kClientWidth = 608;
constexpr int kClientHeight = 440;
constexpr int kRowHeight = 20;
// Values start at one column for every panel (window coordinates), right of
// the longest caption ("Modification date:").
constexpr int kValueLeft = 180;
constexpr int kButtonTop = 402;
constexpr int kButtonHeight = 28;

// Tabs in printed lines go to the next multiple of eight columns, as on a
// character printer.
QString expandTabs(const QString& line)
{
    QString out;
    for (QChar c : line) {
        if (c == QLatin1Char('\t')) {
            do
                out.append(QLatin1Char(' '));
            while (out.size() % 8 != 0);
        } else {
            out.append(c);
        }
    }
    return out;
}

} // namespace

bool PrintListLines(QPrinter* printer, const QStringList& lines, const QString& title)
{
    const QString failure = TfrmDetails::tr("Error printing report ... quitting");
    TextPrinter out(printer);
    if (!out.begin()) {
        ShowMessageBox(MessageKind::Error, failure);
        return false;
    }
    const QString printed = QStringLiteral("   ") +
                            TfrmDetails::tr("Printed : %1  %2")
                                .arg(formatShortDate(QDate::currentDate()),
                                     QLocale().toString(QTime::currentTime(), longTimeFormat()));
    bool ok = out.writeLine(QStringLiteral("   ") + title) && out.writeLine(printed) &&
              out.writeLine(QString()) && out.writeLine(QString());
    if (ok) {
        const WaitCursor wait;
        for (const QString& line : lines) {
            if (!out.writeLine(QStringLiteral("   ") + expandTabs(line))) {
                ok = false;
                break;
            }
        }
    }
    // The job is ended also after a failed line, so the printer is released.
    const bool ended = out.end();
    if (!ok || !ended) {
        ShowMessageBox(MessageKind::Error, failure);
        return false;
    }
    return true;
}

TfrmDetails::TfrmDetails(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDetails"));
    setWindowTitle(tr("File Details"));
    setFixedSize(kClientWidth, kClientHeight);

    QFont labelFont = font();
    labelFont.setPixelSize(16);

    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setGeometry(10, 10, 36, 45);
    m_image->setAlignment(Qt::AlignCenter);

    QFrame* panel1 = addPanel(QStringLiteral("Panel1"), QRect(56, 8, 544, 28));
    addCaption(panel1, tr("Name of file:"), 0);
    m_lblFileName = addValue(panel1, QStringLiteral("lblFileName"), 0);

    QFrame* panel6 = addPanel(QStringLiteral("Panel6"), QRect(56, 40, 544, 28));
    addCaption(panel6, tr("Type of file:"), 0);
    m_lblFileType = addValue(panel6, QStringLiteral("lblFileType"), 0);

    QFrame* panel2 = addPanel(QStringLiteral("Panel2"), QRect(8, 72, 592, 48));
    addCaption(panel2, tr("Size:"), 0);
    m_lblSizeBytes = addValue(panel2, QStringLiteral("lblSizeBytes"), 0);
    m_lblSizeK = addValue(panel2, QStringLiteral("lblSizeK"), 1);

    QFrame* panel3 = addPanel(QStringLiteral("Panel3"), QRect(8, 124, 592, 68));
    addCaption(panel3, tr("Creation date:"), 0);
    addCaption(panel3, tr("Modification date:"), 1);
    addCaption(panel3, tr("Access date:"), 2);
    m_lblCreate = addValue(panel3, QStringLiteral("lblCreate"), 0);
    m_lblModify = addValue(panel3, QStringLiteral("lblModify"), 1);
    m_lblAccess = addValue(panel3, QStringLiteral("lblAccess"), 2);

    m_panel4 = addPanel(QStringLiteral("Panel4"), QRect(8, 196, 592, 28));
    addCaption(m_panel4, tr("Attributes:"), 0);
    m_lblAttributes = addValue(m_panel4, QStringLiteral("lblAttributes"), 0);

    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setGeometry(8, 232, 592, 162);
    m_memo->setReadOnly(true);
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette memoPalette = m_memo->palette();
    memoPalette.setColor(QPalette::Base, memoPalette.color(QPalette::Button));
    m_memo->setPalette(memoPalette);
    // Values line up at one tab stop past the longest label.
    m_memo->setTabStopDistance(
        QFontMetrics(m_memo->font()).horizontalAdvance(QStringLiteral("Private build info:  ")) +
        8);

    auto addButton = [this](const QString& name, const QString& text, int left,
                            const QString& hint) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setGeometry(left, kButtonTop, 88, kButtonHeight);
        b->setAutoDefault(false);
        if (!hint.isEmpty())
            b->setToolTip(hint);
        return b;
    };
    m_btLaunch = addButton(QStringLiteral("btLaunch"), tr("&Run"), 8,
                           tr("Run/launch associated application"));
    m_btView = addButton(QStringLiteral("btView"), tr("&View"), 104, tr("View file"));
    m_btPrint = addButton(QStringLiteral("btPrint"), tr("Print"), 200, tr("Print file details"));
    m_btClose = addButton(QStringLiteral("btClose"), tr("Close"), 512, QString());

    m_lb = new QListWidget(this);
    m_lb->setObjectName(QStringLiteral("lb"));
    m_lb->hide();

    for (QLabel* l : findChildren<QLabel*>())
        l->setFont(labelFont);

    connect(m_btLaunch, &QPushButton::clicked, this, &TfrmDetails::btLaunchClick);
    connect(m_btView, &QPushButton::clicked, this, &TfrmDetails::btViewClick);
    connect(m_btPrint, &QPushButton::clicked, this, &TfrmDetails::btPrintClick);
    connect(m_btClose, &QPushButton::clicked, this, &QDialog::reject);
}

TfrmDetails::~TfrmDetails() = default;

QFrame* TfrmDetails::addPanel(const QString& name, const QRect& geometry)
{
    auto* panel = new QFrame(this);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(geometry);
    return panel;
}

QLabel* TfrmDetails::addCaption(QFrame* panel, const QString& text, int row)
{
    auto* l = new QLabel(text, panel);
    l->setGeometry(6, 4 + row * kRowHeight, kValueLeft - panel->x() - 10, kRowHeight);
    return l;
}

QLabel* TfrmDetails::addValue(QFrame* panel, const QString& name, int row)
{
    auto* l = new QLabel(panel);
    l->setObjectName(name);
    const int left = kValueLeft - panel->x();
    l->setGeometry(left, 4 + row * kRowHeight, panel->width() - left - 6, kRowHeight);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

void TfrmDetails::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmDetails::FormShow()
{
    const FileDetails d = readFileDetails(m_filePath);
    QStringList versionLines;
    if (d.found) {
        m_image->setPixmap(GetFileIcon(m_filePath).pixmap(32, 32));
        versionLines = readVersionLines(m_filePath, true);
    }
    m_memo->setPlainText(versionLines.join(QLatin1Char('\n')));
    m_memo->setVisible(!versionLines.isEmpty());
    const int buttonTop =
        versionLines.isEmpty() ? m_panel4->geometry().bottom() + 1 + 10 : kButtonTop;
    for (QPushButton* b : {m_btLaunch, m_btView, m_btPrint, m_btClose})
        b->move(b->x(), buttonTop);
    setFixedSize(kClientWidth, m_btPrint->geometry().bottom() + 1 + 10);

    // A path that is gone shows only its name; there is nothing else to say.
    m_lblFileName->setText(d.found ? d.fileName : displayName(m_filePath));
    m_lblFileName->setToolTip(m_lblFileName->text());
    m_lblFileType->setText(d.fileType);
    m_lblSizeBytes->setText(d.sizeBytes);
    m_lblSizeK->setText(d.clusterLine);
    m_lblAccess->setText(d.access);
    m_lblCreate->setText(d.creation);
    m_lblModify->setText(d.modification);
    m_lblAttributes->setText(d.attributeText);
}

void TfrmDetails::btLaunchClick()
{
    // The URL carries the bytes percent-encoded, so a name that is not valid
    // UTF-8 reaches the handler unchanged.
    QUrl url;
    url.setScheme(QStringLiteral("file"));
    url.setPath(QString::fromLatin1(m_filePath.toPercentEncoding("/")), QUrl::TolerantMode);
    if (!QDesktopServices::openUrl(url))
        ShowErrorMessage(tr("Couldn't run %1").arg(displayName(m_filePath)));
}

void TfrmDetails::btViewClick()
{
    if (windowHooks().openViewer)
        windowHooks().openViewer(this, m_filePath);
}

void TfrmDetails::btPrintClick()
{
    QPrinter dialogPrinter;
    QPrinter* printer = choosePrinter(this, m_printer, dialogPrinter);
    if (!printer)
        return;

    FileDetails shown;
    shown.fileName = displayName(m_filePath);
    shown.fileType = m_lblFileType->text();
    shown.sizeBytes = m_lblSizeBytes->text();
    shown.clusterLine = m_lblSizeK->text();
    shown.creation = m_lblCreate->text();
    shown.modification = m_lblModify->text();
    shown.access = m_lblAccess->text();
    shown.attributeText = m_lblAttributes->text();
    const QString memo = m_memo->toPlainText();
    const QStringList versionLines = memo.isEmpty() ? QStringList() : memo.split(QLatin1Char('\n'));

    m_lb->clear();
    m_lb->addItems(detailsPrintLines(shown, versionLines));
    QStringList lines;
    for (int i = 0; i < m_lb->count(); ++i)
        lines.append(m_lb->item(i)->text());
    PrintListLines(printer, lines, tr("File details of %1").arg(displayName(m_filePath)));
}

} // namespace rw
