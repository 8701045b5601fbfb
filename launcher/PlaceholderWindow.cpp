#include "launcher/PlaceholderWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace rw
{

TPlaceholderWindow::TPlaceholderWindow(const QString& caption, QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("PlaceholderWindow"));
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(QStringLiteral("This tool is not available yet."), this);
    text->setAlignment(Qt::AlignCenter);
    layout->addWidget(text, 1);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("btClose"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(400, 200);
}

} // namespace rw
