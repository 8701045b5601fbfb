#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace rw
{

// Remembers a window's position and size in a profile file, as ten numbers
// (see PlacementValue). Owned by the window it serves (its QObject parent).
// Life order: attach() when the window is created (centres it when there is
// no entry yet), restorePlacement() when it is shown, savePlacement() when
// it is destroyed (done automatically on destruction of the window).
class TWinPlace : public QObject
{
    Q_OBJECT
public:
    // Defaults: IniFileName "WinPlace.INI", Section the program's full path,
    // Identifier the window's objectName, Delimiter " ".
    explicit TWinPlace(QWidget* window);
    ~TWinPlace() override;

    // Makes the placement of `window` (which owns it) under `identifier` in
    // the profile `iniFileName`, in `section` unless that is empty, and
    // centres the window when the profile holds no usable entry for it.
    static TWinPlace* attach(QWidget* window, const QString& iniFileName, const QString& identifier,
                             const QString& section = {});

    QString iniFileName() const { return m_iniFileName; }
    void setIniFileName(const QString& name) { m_iniFileName = name; }
    QString section() const { return m_section; }
    void setSection(const QString& section) { m_section = section; }
    // The window's objectName unless set otherwise (read when used, so a
    // name given after the component was made still counts).
    QString identifier() const;
    void setIdentifier(const QString& id) { m_identifier = id; }
    QString delimiter() const { return m_delimiter; }
    void setDelimiter(const QString& d) { m_delimiter = d; }

    // The stored text of the entry ("" when none).
    QString storedValue() const;
    // True when a usable entry exists (see restorePlacement); centres the
    // window on the screen otherwise, as for a window never placed before.
    bool centreIfNew();
    // Applies the stored placement when its rectangle is usable, with its
    // show state (maximised, minimised); true when applied.
    bool restorePlacement();
    // Writes the window's placement; throws std::runtime_error with
    // "TWinPlace: Unable to retrieve window placement" when there is no window
    // (none given, or it is gone); nothing is written then.
    // Returns false when the profile could not be written.
    bool savePlacement();
    // Stop saving on destruction (e.g. a window that failed to build).
    void setSaveOnDestroy(bool on) { m_saveOnDestroy = on; }

private:
    QPointer<QWidget> m_window;
    QString m_iniFileName;
    QString m_section;
    QString m_identifier;
    QString m_delimiter;
    bool m_saveOnDestroy = true;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace rw
