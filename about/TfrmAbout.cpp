#include "about/TfrmAbout.h"

#include "about/Animated.h"
#include "about/AnimationStrips.h"
#include "about/BevelPanel.h"
#include "about/GotoWebPage.h"
#include "about/GradientBack.h"
#include "controls/CentreOnScreen.h"
#include "controls/ReadableColours.h"

#include <QLabel>
#include <QPushButton>

namespace rw
{

namespace
{
constexpr int kPanelLeft = 12;
constexpr int kPanelTop = 10;
constexpr int kPanelWidth = 396;
constexpr int kPanelHeight = 250;
const QColor kNavy(0, 0, 128);
} // namespace

TfrmAbout::TfrmAbout(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("How to contact us"));
    setFixedSize(420, 312);

    m_gradient = new TGradientBack(this);
    m_gradient->setObjectName(QStringLiteral("GradientBack1"));
    m_gradient->setIsAllBlue(false);

    m_panel = new TBevelPanel(this);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_panel->setBevelOuter(TBevelPanel::Bevel::Lowered);
    m_panel->setBevelInner(TBevelPanel::Bevel::Raised);
    m_panel->setBevelWidth(3);
    const QColor face = palette().color(QPalette::Window);
    m_panel->setFaceColor(face);
    m_panel->setGeometry(kPanelLeft, kPanelTop, kPanelWidth, kPanelHeight);

    auto* product = new QLabel(QStringLiteral("ROOMWISE '95"), m_panel);
    product->setObjectName(QStringLiteral("ProductName"));
    QFont productFont = product->font();
    productFont.setBold(true);
    productFont.setPointSizeF(productFont.pointSizeF() * 1.6);
    product->setFont(productFont);
    product->setAlignment(Qt::AlignCenter);
    product->setGeometry(64, 14, kPanelWidth - 128, 32);

    m_animated1 = new TAnimated(m_panel);
    m_animated1->setObjectName(QStringLiteral("Animated1"));
    m_animated2 = new TAnimated(m_panel);
    m_animated2->setObjectName(QStringLiteral("Animated2"));
    struct Setup {
        TAnimated* control;
        QPixmap strip;
        int left, interval, frame;
        bool reverse;
    };
    for (const Setup& s :
         {Setup{m_animated1, diskStrip(), 24, 260, 3, false},
          Setup{m_animated2, folderStrip(), kPanelWidth - 24 - 32, 250, 0, true}}) {
        s.control->resize(32, 32);
        s.control->setBitMap(s.strip);
        s.control->move(s.left, 14);
        s.control->setFrameCount(5);
        s.control->setInterval(s.interval);
        s.control->setFrame(s.frame);
        s.control->setReverse(s.reverse);
        s.control->setColor(face);
        s.control->setTransparentColor(stripKeyColor());
        s.control->setPlay(true);
    }

    addLine(QStringLiteral("Label6"), tr("Version 2.7 (32 bits)"), 52, kNavy);
    const QString lines[] = {
        makerName(),
        QStringLiteral("1200 Harbour Lane, Suite 40"),
        QStringLiteral("Springfield, OR 97400"),
        tr("Telephone (555) 010-2040    Fax (555) 010-2041"),
        homePageAddress(),
    };
    int top = 90;
    int n = 1;
    for (const QString& line : lines) {
        addLine(QStringLiteral("lblContact%1").arg(n++), line, top, Qt::black);
        top += 24;
    }
    addLine(QStringLiteral("lblProducts"), tr("Call us about our other disk and file utilities!"),
            top + 6, kNavy);

    const QString webCaption = tr("%1 Home Page").arg(makerName());
    m_web = new QPushButton(webCaption, this);
    m_web->setObjectName(QStringLiteral("btWeb"));
    m_web->setToolTip(tr("Launch your browser to %1").arg(webCaption));
    m_web->setGeometry(60, 272, 210, 28);
    m_web->setAutoDefault(false);
    connect(m_web, &QPushButton::clicked, this, &TfrmAbout::btWebClick);

    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setObjectName(QStringLiteral("OKButton"));
    m_ok->setGeometry(280, 272, 90, 28);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    setTabOrder(m_ok, m_web);
    centreOnScreen(this);
}

QLabel* TfrmAbout::addLine(const QString& name, const QString& text, int top, const QColor& color)
{
    auto* label = new QLabel(text, m_panel);
    label->setObjectName(name);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    QPalette pal = label->palette();
    // The design's navy and black, lightened only where the face is dark.
    pal.setColor(QPalette::WindowText,
                 ReadableColours::readableOn(color, m_panel->palette().color(QPalette::Window)));
    label->setPalette(pal);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(8, top, kPanelWidth - 16, 20);
    return label;
}

void TfrmAbout::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_ok->setFocus();
}

void TfrmAbout::btWebClick()
{
    GotoWebPage(m_shortcutFolder);
}

} // namespace rw
