#pragma once

#include <QDialog>
#include <QString>

namespace rw
{

// An empty window with a caption and a Close button, standing in for a
// window of the program that is not built in yet.
class TPlaceholderWindow : public QDialog
{
    Q_OBJECT
public:
    explicit TPlaceholderWindow(const QString& caption, QWidget* owner = nullptr);
};

} // namespace rw
