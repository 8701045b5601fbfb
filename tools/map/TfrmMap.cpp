#include "tools/map/TfrmMap.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstring>

#include "app/WinPlace.h"
#include "base/Messages.h"
#include "base/ProgramMessages.h"
#include "framework/DesktopOpen.h"
#include "framework/FolderDeleteAction.h"
#include "framework/TfrmReallyDelete.h"
#include "framework/WindowHooks.h"
#include "framework/core/FolderWalker.h"
#include "platform/DirListing.h"
#include "platform/Drives.h"
#include "tools/map/MapView.h"
#include "tools/map/core/MapScan.h"
#include "tools/map/core/MapTypeClass.h"

namespace rw
{

namespace
{

// True while something (a file or a folder) still stands at `path`.
bool stillThere(const QByteArray& path)
{
    FileStatus st;
    return pathStatus(path, &st);
}

// A swatch and the name of a type class, for the legend.
QWidget* legendEntry(MapTypeClass c, QWidget* parent)
{
    auto* entry = new QLabel(parent);
    const QColor colour = QColor::fromRgb(mapTypeClassColour(c));
    entry->setText(QStringLiteral("<span style=\"color:%1\">&#9632;</span> %2")
                       .arg(colour.name(), mapTypeClassName(c).toHtmlEscaped()));
    entry->setTextFormat(Qt::RichText);
    return entry;
}

} // namespace

TfrmMap::TfrmMap(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmMap"));
    setWindowTitle(tr("Folder map"));
    setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
    setSizeGripEnabled(true);
    resize(900, 640);

    auto* top = new QHBoxLayout;
    m_btUp = new QPushButton(tr("&Up"), this);
    m_btUp->setObjectName(QStringLiteral("btUp"));
    m_btUp->setToolTip(tr("Show the folder above (Backspace)"));
    connect(m_btUp, &QPushButton::clicked, this, [this] { m_view->zoomOut(); });
    top->addWidget(m_btUp);
    m_crumbs = new QWidget(this);
    m_crumbs->setObjectName(QStringLiteral("crumbs"));
    m_crumbRow = new QHBoxLayout(m_crumbs);
    m_crumbRow->setContentsMargins(0, 0, 0, 0);
    m_crumbRow->setSpacing(2);
    top->addWidget(m_crumbs, 1);
    m_cbMeasure = new QComboBox(this);
    m_cbMeasure->setObjectName(QStringLiteral("cbMeasure"));
    m_cbMeasure->addItems({tr("Apparent size"), tr("Disk usage")});
    m_cbMeasure->setToolTip(tr("Size tiles by the files' lengths or by the space they take"));
    connect(m_cbMeasure, &QComboBox::currentIndexChanged, this, [this](int i) {
        m_view->setMeasure(i == 1 ? MapTree::Measure::DiskUsage : MapTree::Measure::Apparent);
    });
    top->addWidget(m_cbMeasure);
    m_btAbort = new QPushButton(tr("&Abort"), this);
    m_btAbort->setObjectName(QStringLiteral("btAbort"));
    m_btAbort->hide();
    connect(m_btAbort, &QPushButton::clicked, this, [this] { m_abort = true; });
    top->addWidget(m_btAbort);
    m_btClose = new QPushButton(tr("&Close"), this);
    m_btClose->setObjectName(QStringLiteral("btClose"));
    connect(m_btClose, &QPushButton::clicked, this, &QDialog::reject);
    top->addWidget(m_btClose);

    m_view = new MapView(this);
    connect(m_view, &MapView::hovered, this, &TfrmMap::showHovered);
    connect(m_view, &MapView::topChanged, this, &TfrmMap::showTop);
    connect(m_view, &MapView::contextMenuAt, this, &TfrmMap::showMenu);

    auto* legend = new QWidget(this);
    legend->setObjectName(QStringLiteral("legend"));
    auto* legendRow = new QHBoxLayout(legend);
    legendRow->setContentsMargins(0, 0, 0, 0);
    for (int c = 0; c < kMapTypeClassCount; ++c)
        legendRow->addWidget(legendEntry(MapTypeClass(c), legend));
    legendRow->addStretch(1);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblStatus"));
    m_status->setFrameShape(QFrame::StyledPanel);
    m_status->setTextFormat(Qt::PlainText);

    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(6, 6, 6, 6);
    stack->addLayout(top);
    stack->addWidget(m_view, 1);
    stack->addWidget(legend);
    stack->addWidget(m_status);

    m_place = TWinPlace::attach(this, QStringLiteral("roomwse.ini"), QStringLiteral("frmMap"));
    m_place->restorePlacement();
}

TfrmMap::~TfrmMap() = default;

bool TfrmMap::mapFolder(const QByteArray& folder)
{
    MapScan scan;
    FolderWalker walker(scan, m_abort, *messageResponder());
    walker.setProgressCallback(
        [this, &walker](const WalkFolder& f) {
            m_status->setText(
                tr("Scanning %1 (%2 files)")
                    .arg(f.displayPath(), QLocale().toString(walker.examinedCount())));
            QApplication::processEvents();
        },
        std::chrono::milliseconds(100));
    m_abort = false;
    m_walking = true;
    m_btAbort->show();
    m_btClose->setEnabled(false);
    DriveInfo drive;
    drive.letter = QLatin1Char('C');
    drive.root = QFile::decodeName(folder);
    drive.rootBytes = folder;
    const bool opened = walker.walkTree(drive, drive.root);
    m_walking = false;
    m_btAbort->hide();
    m_btClose->setEnabled(true);
    if (!opened) {
        m_status->clear();
        ShowErrorMessage(tr("Can't open folder %1: %2")
                             .arg(QFile::decodeName(folder),
                                  QString::fromLocal8Bit(std::strerror(walker.rootError()))));
        return false;
    }
    setTree(scan.takeTree());
    // The folders left out, named once in the walk's own words.
    const QString skipped = walker.takeSkippedFoldersText();
    if (!skipped.isEmpty())
        ShowWarningMessage(skipped);
    if (m_abort)
        m_status->setText(tr("Aborted: the map shows what was scanned before."));
    return true;
}

void TfrmMap::setTree(MapTree tree)
{
    m_tree = std::move(tree);
    m_view->setTree(&m_tree);
    if (!m_tree.isEmpty())
        m_status->setText(tr("%1 in %2").arg(sizeText(m_tree.root()), m_tree.displayPath(0)));
}

QString TfrmMap::sizeText(std::uint32_t node) const
{
    const QLocale locale;
    const MapTree::Node& n = m_tree.node(node);
    return tr("%1 (%2 on disk)")
        .arg(locale.formattedDataSize(n.size), locale.formattedDataSize(n.disk));
}

void TfrmMap::showHovered(int tile)
{
    if (m_walking || tile < 0 || m_tree.isEmpty())
        return;
    const MapTile& t = m_view->layout().tiles()[std::size_t(tile)];
    const MapTree::Measure m = m_view->measure();
    const std::uint32_t top = m_view->topNode();
    const double whole = double(m_tree.sizeOf(top, m));
    if (t.gathered) {
        m_status->setText(
            tr("Small files in %1: %n", nullptr, int(t.gathered)).arg(m_tree.displayPath(t.node)));
        return;
    }
    const double share = whole > 0 ? 100.0 * double(m_tree.sizeOf(t.node, m)) / whole : 0;
    QString text =
        tr("%1 — %2, %3 % of the map")
            .arg(m_tree.displayPath(t.node), sizeText(t.node), QLocale().toString(share, 'f', 1));
    if (m_tree.node(m_tree.node(t.node).parent).incomplete)
        text += tr(" (its folder could not be read completely)");
    m_status->setText(text);
}

void TfrmMap::showTop(std::uint32_t folder)
{
    // One button per folder from the root down to the one shown.
    while (QLayoutItem* item = m_crumbRow->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    m_btUp->setEnabled(folder != MapTree::kNone && m_tree.node(folder).parent != MapTree::kNone);
    if (folder == MapTree::kNone)
        return;
    for (std::uint32_t n : m_tree.ancestry(folder)) {
        const std::string_view name = m_tree.name(n);
        auto* crumb =
            new QPushButton(QFile::decodeName(QByteArray(name.data(), qsizetype(name.size())))
                                .replace(QLatin1Char('&'), QStringLiteral("&&")),
                            m_crumbs);
        crumb->setFlat(true);
        crumb->setEnabled(n != folder);
        connect(crumb, &QPushButton::clicked, this, [this, n] { m_view->zoomTo(n); });
        m_crumbRow->addWidget(crumb);
    }
    m_crumbRow->addStretch(1);
}

void TfrmMap::showMenu(std::uint32_t node, QPoint globalPos)
{
    if (m_walking || node == MapTree::kNone)
        return;
    const bool file = m_tree.node(node).kind == MapTree::Kind::File;
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("mapMenu"));
    const auto add = [&menu](const QString& text, const char* name, bool enabled, auto action) {
        QAction* a = menu.addAction(text);
        a->setObjectName(QLatin1String(name));
        a->setEnabled(enabled);
        QObject::connect(a, &QAction::triggered, action);
    };
    add(tr("&View"), "actView", file, [this, node] { viewNode(node); });
    add(tr("&Details"), "actDetails", true, [this, node] { detailsOfNode(node); });
    add(tr("&Browse"), "actBrowse", true, [this, node] { browseNode(node); });
    add(tr("&Run"), "actRun", file, [this, node] { runNode(node); });
    menu.addSeparator();
    add(tr("Zoom &in"), "actZoomIn", !file && node != m_view->topNode(),
        [this, node] { m_view->zoomTo(node); });
    add(tr("Zoom &out"), "actZoomOut", m_tree.node(m_view->topNode()).parent != MapTree::kNone,
        [this] { m_view->zoomOut(); });
    menu.addSeparator();
    add(tr("D&elete…"), "actDelete", node != m_tree.root(), [this, node] { deleteNode(node); });
    menu.exec(globalPos);
}

void TfrmMap::viewNode(std::uint32_t node)
{
    const QByteArray path = m_tree.pathBytes(node);
    if (stillThere(path) && windowHooks().openViewer)
        windowHooks().openViewer(this, path);
}

void TfrmMap::detailsOfNode(std::uint32_t node)
{
    const QByteArray path = m_tree.pathBytes(node);
    if (stillThere(path) && windowHooks().openDetails)
        windowHooks().openDetails(this, path);
}

void TfrmMap::browseNode(std::uint32_t node)
{
    if (!windowHooks().openBrowser)
        return;
    const bool file = m_tree.node(node).kind == MapTree::Kind::File;
    QByteArray folder = m_tree.pathBytes(file ? m_tree.node(node).parent : node);
    if (!folder.endsWith('/'))
        folder.append('/');
    windowHooks().openBrowser(this, folder, QStringLiteral("*.*"),
                              file ? m_tree.nameBytes(node) : QByteArray());
}

void TfrmMap::runNode(std::uint32_t node)
{
    const QByteArray path = m_tree.pathBytes(node);
    if (stillThere(path) && !openWithDesktop(path))
        ShowErrorMessage(tr("Couldn't run %1").arg(m_tree.displayPath(node)));
}

bool TfrmMap::deleteNode(std::uint32_t node)
{
    if (node == MapTree::kNone || node == m_tree.root() || m_tree.node(node).removed)
        return false;
    const DeleteTarget target = m_tree.deleteTarget(node);
    bool gone = false;
    if (m_tree.node(node).kind == MapTree::Kind::File) {
        runDeleteMarked(this, {target}, m_tree.node(node).size);
        gone = !stillThere(target.pathBytes());
    } else {
        FolderDeleteRequest request;
        request.target = target;
        request.window = RefusingWindow::FolderHogs;
        gone = runFolderDelete(this, request, *messageResponder()).folderRemoved;
    }
    if (!gone)
        return false;
    // The freed area goes; no new walk is needed.
    m_tree.remove(node);
    m_view->refresh();
    m_status->setText(tr("%1 is gone from the map.").arg(target.shown));
    return true;
}

void TfrmMap::keyPressEvent(QKeyEvent* event)
{
    // Esc aborts a walk before it closes the window.
    if (event->key() == Qt::Key_Escape && m_walking) {
        m_abort = true;
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmMap::closeEvent(QCloseEvent* event)
{
    if (m_walking) {
        m_abort = true;
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void openFolderMap(QWidget* parent, const QByteArray& folder)
{
    TfrmMap map(parent);
    // Modal from the start: the walk runs with the window already up.
    map.setWindowModality(Qt::ApplicationModal);
    map.show();
    if (map.mapFolder(folder))
        map.exec();
}

} // namespace rw
