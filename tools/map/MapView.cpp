#include "tools/map/MapView.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "controls/ReadableColours.h"

namespace rw
{

MapView::MapView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("mapView"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(120, 80);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MapView::setTree(MapTree* tree)
{
    m_tree = tree;
    m_top = tree && !tree->isEmpty() ? tree->root() : MapTree::kNone;
    m_selected = MapTree::kNone;
    if (m_tree && !m_tree->isEmpty() && m_tree->sortedBy() != m_measure)
        m_tree->sortChildren(m_measure);
    relayout();
    emit topChanged(m_top);
    emit selectionChanged(m_selected);
}

void MapView::setMeasure(MapTree::Measure measure)
{
    if (measure == m_measure)
        return;
    m_measure = measure;
    if (m_tree && !m_tree->isEmpty())
        m_tree->sortChildren(m_measure);
    relayout();
}

void MapView::zoomTo(std::uint32_t folder)
{
    if (!m_tree || folder >= m_tree->nodeCount() ||
        m_tree->node(folder).kind != MapTree::Kind::Folder || m_tree->node(folder).removed)
        return;
    m_top = folder;
    if (m_selected != MapTree::kNone && !m_tree->isWithin(m_selected, m_top))
        select(MapTree::kNone);
    relayout();
    emit topChanged(m_top);
}

bool MapView::zoomOut()
{
    if (!m_tree || m_top == MapTree::kNone || m_tree->node(m_top).parent == MapTree::kNone)
        return false;
    zoomTo(m_tree->node(m_top).parent);
    return true;
}

bool MapView::zoomInto(std::uint32_t node)
{
    if (!m_tree || node == MapTree::kNone || node == m_top || !m_tree->isWithin(node, m_top))
        return false;
    // The ancestor of `node` directly under the shown folder.
    std::uint32_t step = node;
    while (m_tree->node(step).parent != m_top)
        step = m_tree->node(step).parent;
    if (m_tree->node(step).kind != MapTree::Kind::Folder)
        return false;
    zoomTo(step);
    return true;
}

void MapView::select(std::uint32_t node)
{
    if (node == m_selected)
        return;
    m_selected = node;
    update();
    emit selectionChanged(node);
}

int MapView::tileAt(QPoint p) const
{
    return m_raster.tileAt(p.x(), p.y());
}

std::uint32_t MapView::nodeAt(QPoint p) const
{
    const int t = tileAt(p);
    return t < 0 ? MapTree::kNone : m_layout.tiles()[std::size_t(t)].node;
}

QRect MapView::rectOf(std::uint32_t node) const
{
    MapRect r;
    if (node == MapTree::kNone || !m_layout.rectOf(node, &r))
        return {};
    return QRectF(r.x(), r.y(), r.w(), r.h()).toAlignedRect();
}

void MapView::refresh()
{
    if (m_tree && m_top != MapTree::kNone && m_tree->node(m_top).removed)
        m_top = m_tree->root();
    if (m_tree && m_selected != MapTree::kNone && m_tree->node(m_selected).removed)
        select(MapTree::kNone);
    relayout();
}

void MapView::relayout()
{
    m_dirty = true;
    update();
}

void MapView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_dirty) {
        m_dirty = false;
        if (m_tree && m_top != MapTree::kNone) {
            m_layout.layout(*m_tree, m_top, m_measure, float(width()), float(height()));
            m_raster.paint(m_layout, *m_tree);
            m_image =
                QImage(reinterpret_cast<const uchar*>(m_raster.pixels().data()), m_raster.width(),
                       m_raster.height(), m_raster.width() * 4, QImage::Format_RGB32);
        } else {
            m_layout = MapLayout();
            m_raster = MapRaster();
            m_image = QImage();
        }
    }
    p.fillRect(rect(), palette().color(QPalette::Window));
    if (m_image.isNull())
        return;
    p.drawImage(0, 0, m_image);

    // Names on the tiles large enough to hold them, in black or white,
    // whichever reads on the tile.
    const QFontMetrics fm(font());
    for (const MapTile& t : m_layout.tiles()) {
        if (t.rect.w() < 48 || t.rect.h() < fm.height() + 4)
            continue;
        QString text = t.gathered ? tr("Small files: %n", nullptr, int(t.gathered))
                                  : QString::fromUtf8(m_tree->name(t.node).data(),
                                                      qsizetype(m_tree->name(t.node).size()));
        const QRect box =
            QRectF(t.rect.x() + 3, t.rect.y() + 2, t.rect.w() - 6, t.rect.h() - 4).toAlignedRect();
        text = fm.elidedText(text, Qt::ElideMiddle, box.width());
        if (text.size() < 3)
            continue;
        const QColor under = m_image.pixelColor(qBound(0, box.center().x(), m_image.width() - 1),
                                                qBound(0, box.center().y(), m_image.height() - 1));
        p.setPen(ReadableColours::textOn(under));
        p.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, text);
    }

    // The selection: its folder outlined, the tile itself framed.
    if (m_selected != MapTree::kNone && m_tree) {
        const MapTree::Node& n = m_tree->node(m_selected);
        const std::uint32_t folder = n.kind == MapTree::Kind::Folder ? m_selected : n.parent;
        const QRect f = rectOf(folder);
        if (!f.isEmpty()) {
            p.setPen(QPen(Qt::white, 2));
            p.drawRect(f.adjusted(1, 1, -1, -1));
        }
        const QRect own = rectOf(m_selected);
        if (!own.isEmpty() && own != f) {
            p.setPen(QPen(Qt::black, 1, Qt::DashLine));
            p.drawRect(own.adjusted(0, 0, -1, -1));
        }
    }
}

void MapView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    relayout();
}

void MapView::mouseMoveEvent(QMouseEvent* event)
{
    emit hovered(tileAt(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void MapView::leaveEvent(QEvent* event)
{
    emit hovered(-1);
    QWidget::leaveEvent(event);
}

void MapView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
        select(nodeAt(event->position().toPoint()));
    QWidget::mousePressEvent(event);
}

void MapView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        zoomInto(nodeAt(event->position().toPoint()));
}

void MapView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        zoomInto(m_selected);
        return;
    case Qt::Key_Backspace:
        zoomOut();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void MapView::contextMenuEvent(QContextMenuEvent* event)
{
    const std::uint32_t node = nodeAt(event->pos());
    if (node == MapTree::kNone)
        return;
    select(node);
    emit contextMenuAt(node, event->globalPos());
}

} // namespace rw
