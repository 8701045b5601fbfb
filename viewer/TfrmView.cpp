#include "viewer/TfrmView.h"

#include "app/WinPlace.h"
#include "base/ProgramMessages.h"
#include "base/RecordedMessages.h"
#include "base/SharedRoutines.h"
#include "controls/FileViewer.h"
#include "controls/LongRead.h"
#include "controls/PrintRoutines.h"
#include "controls/TextPrinter.h"
#include "platform/DisplayName.h"
#include "platform/WorkingFolder.h"
#include "viewer/TFindDlg.h"
#include "viewer/core/ExtractStrings.h"
#include "viewer/core/HexFormatter.h"
#include "viewer/core/LineIndex.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTemporaryFile>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace rw
{

namespace
{

// The narrowest the status sections are, in pixels; a section widens for
// the texts a large file gives it.
constexpr int kSectionWidths[] = {90, 130, 90, 170, 0};

QString positionText(std::int64_t line, std::int64_t column)
{
    return QStringLiteral("%1:%2").arg(line).arg(column).leftJustified(8);
}

QString totalText(std::int64_t lines)
{
    return TfrmView::tr("Total: %1").arg(FormatGrouped(lines));
}

QString topText(std::int64_t line)
{
    return TfrmView::tr("Top: %1").arg(QString::number(line).leftJustified(5));
}

QString bytesText(std::int64_t size)
{
    return TfrmView::tr("Bytes: %1").arg(FormatGrouped(size));
}

// The width a status section needs to show `text` whole.
int sectionWidthFor(const QLabel* section, const QString& text)
{
    QLabel probe(text);
    probe.setFrameStyle(section->frameStyle());
    probe.setFont(section->font());
    probe.setMargin(section->margin());
    probe.setIndent(section->indent());
    return probe.sizeHint().width();
}

// A file the user names (the open dialog, a drop) may be reached through a
// symbolic link; the viewer opens only the file itself, so the link is
// resolved here. A name that cannot be resolved is kept as it is.
QByteArray resolvedUserPath(const QByteArray& path)
{
    QByteArray resolved;
    return resolvedPathBytes(path, &resolved) ? resolved : path;
}

} // namespace

TfrmView::TfrmView(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmView"));
    setWindowTitle(tr("View file"));
    setWindowFlags(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    resize(600, 400);
    setAcceptDrops(true);

    m_viewer = new FileViewer(this);
    m_viewer->setObjectName(QStringLiteral("Viewer1"));
    connect(m_viewer, &FileViewer::showStatus, this, &TfrmView::showStatus);

    buildMenu();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(m_menu);
    layout->addWidget(m_viewer, 1);
    buildPanel();

    m_place = TWinPlace::attach(this, QStringLiteral("roomwse.ini"), QStringLiteral("frmView"));
    showStatus();
}

TfrmView::~TfrmView() = default;

void TfrmView::buildMenu()
{
    m_menu = new QMenuBar(this);
    m_menu->setObjectName(QStringLiteral("MainMenu1"));
    // Shortcuts work while the window is active, with the menu closed too.
    auto item = [this](QMenu* menu, const char* name, const QString& text,
                       const QKeySequence& key = QKeySequence()) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        if (!key.isEmpty()) {
            a->setShortcut(key);
            addAction(a);
        }
        return a;
    };

    m_fileMenu = m_menu->addMenu(tr("&File"));
    connect(item(m_fileMenu, "Open1", tr("&Open...")), &QAction::triggered, this,
            &TfrmView::openClick);
    m_fileMenu->addSeparator();
    m_print = item(m_fileMenu, "Print1", tr("&Print..."));
    m_print->setEnabled(false);
    connect(m_print, &QAction::triggered, this, &TfrmView::printClick);
    connect(item(m_fileMenu, "Printsetup1", tr("P&rint setup...")), &QAction::triggered, this,
            &TfrmView::printSetupClick);
    m_fileMenu->addSeparator();
    connect(item(m_fileMenu, "Exit1", tr("E&xit"), QKeySequence(Qt::ALT | Qt::Key_F4)),
            &QAction::triggered, this, &QDialog::reject);
    connect(m_fileMenu, &QMenu::aboutToShow, this, &TfrmView::updateFileItems);

    m_clipMenu = m_menu->addMenu(tr("&Clipboard"));
    m_copy = item(m_clipMenu, "Copy1", tr("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_Insert));
    m_copy->setEnabled(false);
    connect(m_copy, &QAction::triggered, m_viewer, &FileViewer::copyToClipboard);
    m_selectAll = item(m_clipMenu, "Selectall1", tr("&Select all"));
    m_selectAll->setEnabled(false);
    connect(m_selectAll, &QAction::triggered, m_viewer, &FileViewer::selectAll);
    connect(m_clipMenu, &QMenu::aboutToShow, this, &TfrmView::updateClipboardItems);

    m_searchMenu = m_menu->addMenu(tr("&Search"));
    m_find = item(m_searchMenu, "Find1", tr("&Find..."));
    m_find->setEnabled(false);
    connect(m_find, &QAction::triggered, this, &TfrmView::findClick);
    m_findNext = item(m_searchMenu, "Findnext1", tr("Find &next"), QKeySequence(Qt::Key_F3));
    m_findNext->setEnabled(false);
    connect(m_findNext, &QAction::triggered, this, &TfrmView::findNextClick);
    m_searchMenu->addSeparator();
    m_goToLine = item(m_searchMenu, "Gotoline1", tr("&Go to line..."), QKeySequence(Qt::Key_F4));
    m_goToLine->setEnabled(false);
    connect(m_goToLine, &QAction::triggered, this, &TfrmView::goToLineClick);
    connect(m_searchMenu, &QMenu::aboutToShow, this, &TfrmView::updateSearchItems);

    QMenu* options = m_menu->addMenu(tr("&Options"));
    m_hexMode = item(options, "HexMode1", tr("&Hex Mode"), QKeySequence(Qt::Key_F8));
    m_hexMode->setCheckable(true);
    connect(m_hexMode, &QAction::triggered, this, [this](bool on) { setHexMode(on); });
    m_tabExpansion = item(options, "Tabexpansion1", tr("&Tab expansion"));
    m_tabExpansion->setCheckable(true);
    m_tabExpansion->setChecked(m_viewer->expandTabs());
    connect(m_tabExpansion, &QAction::triggered, m_viewer, &FileViewer::setExpandTabs);
    options->addSeparator();
    connect(item(options, "Tabsize1", tr("Tab si&ze...")), &QAction::triggered, this,
            &TfrmView::tabSizeClick);
    options->addSeparator();
    connect(item(options, "Font1", tr("&Font...")), &QAction::triggered, this,
            &TfrmView::fontClick);
}

void TfrmView::buildPanel()
{
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    auto* row = new QHBoxLayout(panel);
    // "Close" sits 15 pixels from the right edge, each button 5 pixels left
    // of the one before.
    row->setContentsMargins(8, 5, 15, 5);
    row->setSpacing(5);
    m_rbAscii = new QRadioButton(tr("&ASCII"), panel);
    m_rbAscii->setObjectName(QStringLiteral("rbAscii"));
    m_rbAscii->setChecked(true);
    m_rbHex = new QRadioButton(tr("&Hex"), panel);
    m_rbHex->setObjectName(QStringLiteral("rbHex"));
    connect(m_rbAscii, &QRadioButton::clicked, this, [this] { setHexMode(false); });
    connect(m_rbHex, &QRadioButton::clicked, this, [this] { setHexMode(true); });
    row->addWidget(m_rbAscii);
    row->addWidget(m_rbHex);
    row->addStretch(1);

    auto button = [&](const char* name, const QString& text) {
        auto* b = new QPushButton(text, panel);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        row->addWidget(b);
        return b;
    };
    connect(button("btFont", tr("Fo&nt")), &QPushButton::clicked, this, &TfrmView::fontClick);
    connect(button("btPrint", tr("P&rint setup")), &QPushButton::clicked, this,
            &TfrmView::printSetupClick);
    connect(button("BitBtn1", tr("&Print")), &QPushButton::clicked, this, &TfrmView::printClick);
    m_btStrings = button("btStrings", tr("Pee&k at strings"));
    m_btStrings->setToolTip(tr("Peek inside file for ASCII strings"));
    connect(m_btStrings, &QPushButton::clicked, this, &TfrmView::peekClick);
    connect(button("btClose", tr("Close")), &QPushButton::clicked, this, &QDialog::reject);

    auto* header = new QWidget(this);
    header->setObjectName(QStringLiteral("Header1"));
    auto* sections = new QHBoxLayout(header);
    sections->setContentsMargins(0, 0, 0, 0);
    sections->setSpacing(0);
    const int* widths = kSectionWidths;
    for (int i = 0; i < 5; ++i) {
        auto* label = new QLabel(header);
        label->setObjectName(QStringLiteral("Header1Section%1").arg(i));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setFont(m_viewer->fixedFont());
        if (widths[i] > 0)
            label->setFixedWidth(widths[i]);
        sections->addWidget(label, widths[i] > 0 ? 0 : 1);
        m_sections[static_cast<size_t>(i)] = label;
    }

    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    layout->addWidget(panel);
    layout->addWidget(header);
}

void TfrmView::setStringsMode(bool on)
{
    m_btStrings->setVisible(!on);
    m_rbAscii->setVisible(!on);
    m_rbHex->setVisible(!on);
    m_hexMode->setVisible(!on);
}

QString TfrmView::statusSection(int index) const
{
    return (index >= 0 && index < 5) ? m_sections[static_cast<size_t>(index)]->text() : QString();
}

void TfrmView::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    openViewer(m_filePath);
    m_place->restorePlacement();
}

void TfrmView::openViewer(const QByteArray& path)
{
    m_filePath = path;
    m_viewer->setFilePath(path);
    const QString shown = displayName(path);
    if (!m_viewer->open() && !path.isEmpty())
        ShowErrorMessage(tr("Could not open file %1").arg(shown));
    setWindowTitle(tr("View File : %1").arg(shown));
    updateSearchItems();
    updateClipboardItems();
    updateFileItems();
}

void TfrmView::openFile(const QByteArray& path)
{
    openViewer(path);
}

void TfrmView::dragEnterEvent(QDragEnterEvent* event)
{
    const QMimeData* mime = event->mimeData();
    if (mime->hasUrls() && !mime->urls().isEmpty() && mime->urls().first().isLocalFile())
        event->acceptProposedAction();
}

void TfrmView::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return;
    // Only the first dropped file counts. A drop names its file by a URL,
    // which is text already; its encoding is the best bytes there are.
    event->acceptProposedAction();
    openFile(resolvedUserPath(QFile::encodeName(urls.first().toLocalFile())));
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void TfrmView::updateFileItems()
{
    m_print->setEnabled(m_viewer->lineCount() > 0);
}

void TfrmView::updateClipboardItems()
{
    m_selectAll->setEnabled(m_viewer->lineCount() > 0);
    m_copy->setEnabled(m_viewer->hasSelection());
}

void TfrmView::updateSearchItems()
{
    const bool lines = m_viewer->lineCount() > 0;
    m_find->setEnabled(lines);
    m_goToLine->setEnabled(lines);
    m_findNext->setEnabled(lines && !findDialog()->searchText().isEmpty());
}

void TfrmView::showStatus()
{
    const TextPos caret = m_viewer->caret();
    m_sections[0]->setText(positionText(caret.line + 1, std::int64_t(caret.column) + 1));
    m_sections[1]->setText(m_viewer->isLineCountKnown() ? totalText(m_viewer->lineCount())
                                                        : tr("Total: ?"));
    m_sections[2]->setText(topText(m_viewer->topLine() + 1));
    m_sections[3]->setText(bytesText(m_viewer->fileSize()));
    fitStatusSections();
    updateClipboardItems();
}

void TfrmView::fitStatusSections()
{
    const std::int64_t size = m_viewer->fileSize();
    const bool hex = m_viewer->hexMode();
    const int tab = m_viewer->expandTabs() ? m_viewer->tabSize() : 1;
    const std::array<std::int64_t, 3> key = {size, hex ? -1 : tab, hex};
    if (key != m_fittedFor) {
        m_fittedFor = key;
        // The widest texts this file can give: a text line holds at least
        // one byte, a hex line 16; a line is at most 1023 bytes, each tab
        // expanded to the tab size.
        const std::int64_t lines = std::max<std::int64_t>(1, hex ? m_viewer->lineCount() : size);
        const std::int64_t columns =
            hex ? HexFormatter::lineLength(HexFormatter::offsetDigits(size))
                : std::int64_t(LineIndex::kMaxLineLength) * tab;
        const QString widest[] = {positionText(lines, columns + 1), totalText(lines),
                                  topText(lines), bytesText(size)};
        for (int i = 0; i < 4; ++i) {
            QLabel* section = m_sections[static_cast<size_t>(i)];
            section->setFixedWidth(
                std::max(kSectionWidths[i], sectionWidthFor(section, widest[i])));
        }
    }
    // Whatever else a section is given is shown whole too.
    for (int i = 0; i < 4; ++i) {
        QLabel* section = m_sections[static_cast<size_t>(i)];
        const int needed = section->sizeHint().width();
        if (needed > section->maximumWidth())
            section->setFixedWidth(needed);
    }
}

void TfrmView::setHexMode(bool on)
{
    const QSignalBlocker b1(m_rbAscii);
    const QSignalBlocker b2(m_rbHex);
    m_hexMode->setChecked(on);
    m_rbHex->setChecked(on);
    m_rbAscii->setChecked(!on);
    m_viewer->setHexMode(on);
}

void TfrmView::openClick()
{
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    // "*" rather than "*.*": names without a dot are ordinary here.
    dialog.setNameFilter(tr("All Files (*)"));
    dialog.setOption(QFileDialog::ReadOnly, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    // The dialog answers in text; encoding it gives the bytes it listed.
    openFile(resolvedUserPath(QFile::encodeName(dialog.selectedFiles().first())));
}

QPrinter* TfrmView::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>();
    return m_printer.get();
}

void TfrmView::printClick()
{
    const bool selection = m_viewer->hasSelection();
    const bool chosen = runPrintDialog(this, printer(), [selection](QPrintDialog& dialog) {
        dialog.setObjectName(QStringLiteral("PrintDialog1"));
        dialog.setOption(QAbstractPrintDialog::PrintSelection, selection);
        // Page ranges have no meaning for a text listing; offering them
        // would print an empty document.
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    });
    if (!chosen)
        return;
    printTo(printer(), printer()->printRange() == QPrinter::Selection ? PrintRange::Selection
                                                                      : PrintRange::All);
}

bool TfrmView::writePrintLines(PrintRange range, const std::function<bool(const QString&)>& write)
{
    // A printed line holds at most what a viewer line buffer does.
    constexpr int kMaxPrintedLine = 1024;
    bool ok = true;
    if (range == PrintRange::All) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const std::int64_t count = m_viewer->countLines();
        for (std::int64_t i = 0; ok && i < count; ++i)
            ok = write(m_viewer->lineText(i).left(kMaxPrintedLine));
        QApplication::restoreOverrideCursor();
    } else if (range == PrintRange::Selection && m_viewer->hasSelection()) {
        const TextPos s = m_viewer->selectionStart();
        const TextPos e = m_viewer->selectionEnd();
        for (std::int64_t i = s.line; ok && i <= e.line; ++i) {
            QString text = m_viewer->lineText(i).left(kMaxPrintedLine);
            if (i == e.line)
                text.truncate(e.column);
            // The start line keeps its columns: what lies before the
            // selection prints as blanks.
            if (i == s.line) {
                const qsizetype blanks = qMin<qsizetype>(s.column, text.size());
                text.replace(0, blanks, QString(blanks, QLatin1Char(' ')));
            }
            ok = write(text);
        }
    }
    return ok;
}

bool TfrmView::printTo(QPrinter* target, PrintRange range)
{
    TextPrinter out(target, m_viewer->fixedFont());
    bool ok = out.begin();
    if (ok)
        ok = writePrintLines(range, [&out](const QString& line) { return out.writeLine(line); });
    // The document is ended also after a failed write.
    const bool ended = out.end();
    if (!ok || !ended) {
        ShowErrorMessage(tr("Error printing report ... quitting"));
        return false;
    }
    return true;
}

void TfrmView::printSetupClick()
{
    QPageSetupDialog dialog(printer(), this);
    dialog.setObjectName(QStringLiteral("PrinterSetupDialog1"));
    dialog.exec();
}

void TfrmView::tabSizeClick()
{
    bool ok = false;
    const QString text =
        QInputDialog::getText(this, tr("Tab Size"), tr("Enter tab size"), QLineEdit::Normal,
                              QString::number(m_viewer->tabSize()), &ok);
    if (!ok)
        return;
    bool number = false;
    const int size = text.trimmed().toInt(&number);
    if (number)
        m_viewer->setTabSize(size);
}

void TfrmView::fontClick()
{
    QFontDialog dialog(this);
    dialog.setObjectName(QStringLiteral("FontDialog1"));
    // Fixed-pitch families only. The options come before the font: the
    // dialog filters its family list when it is given a font, not when its
    // options change. Qt's own dialog, as the system's may list every font.
    dialog.setOptions(QFontDialog::MonospacedFonts | QFontDialog::DontUseNativeDialog);
    // It opens on the family the viewer draws with: the one it asks for
    // ("Courier New") may be stood in for by another.
    QFont current = m_viewer->fixedFont();
    current.setFamilies({QFontInfo(current).family()});
    dialog.setCurrentFont(current);
    if (dialog.exec() == QDialog::Accepted)
        m_viewer->setFixedFont(dialog.selectedFont());
}

void TfrmView::goToLineClick()
{
    // The prompt names the last line, so the lines are counted first.
    const std::int64_t count = m_viewer->countLines();
    if (count <= 0)
        return;
    bool ok = false;
    const QString text = QInputDialog::getText(this, tr("Go to line number"),
                                               tr("Enter line number (1 to %1)").arg(count),
                                               QLineEdit::Normal, QString(), &ok);
    if (!ok)
        return;
    bool number = false;
    const std::int64_t n = text.trimmed().toLongLong(&number);
    if (number)
        m_viewer->setCaret({qBound<std::int64_t>(0, n - 1, count - 1), 0});
}

void TfrmView::searchAndReport(const QString& text, bool backward, bool matchCase, bool global)
{
    if (!m_viewer->search(text, backward, matchCase, global))
        ShowInfoMessage(tr("Search string '%1' not found").arg(text));
}

void TfrmView::findClick()
{
    TFindDlg* dialog = findDialog();
    if (dialog->exec() != QDialog::Accepted)
        return;
    searchAndReport(dialog->searchText(), dialog->backward(), dialog->matchCase(),
                    dialog->globalSearch());
    updateSearchItems();
}

void TfrmView::findNextClick()
{
    TFindDlg* dialog = findDialog();
    if (dialog->searchText().isEmpty())
        return;
    searchAndReport(dialog->searchText(), dialog->backward(), dialog->matchCase(), false);
}

void TfrmView::peekClick()
{
    // Removed when it goes out of scope, also when the listing window fails.
    QTemporaryFile target(QDir::tempPath() + QStringLiteral("/strXXXXXX"));
    if (!target.open()) {
        ShowErrorMessage(tr("Could not write file %1").arg(target.fileTemplate()));
        return;
    }
    target.close();
    // On a helper thread: a big file takes long, and the window paints and
    // can cancel meanwhile. The messages wait for this thread.
    RecordedMessages messages;
    bool cancelled = false;
    {
        LongRead read(this, tr("Looking for strings in %1").arg(displayName(m_filePath)));
        const QByteArray source = m_filePath;
        const QString listing = target.fileName();
        read.runOffThread([&](const ReadProgress& progress) {
            return ExtractStrings(source, listing, 5, 100, messages, progress);
        });
        cancelled = read.cancelled();
    }
    messages.replayTo(*messageResponder());
    if (cancelled)
        return;

    TfrmView strings(this);
    strings.setStringsMode(true);
    strings.setFilePath(QFile::encodeName(target.fileName()));
    strings.exec();
}

} // namespace rw
