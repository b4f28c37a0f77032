// The birth-record entries of the birth-data form's File menu: open, save
// and the list of recently used records, with the messages that say what
// went wrong when a record cannot be opened or saved.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QAction;
class QMenu;
class QWidget;

namespace selmarind {

class FrmMain;

// The title of a window showing the record at `path`: its file name without
// the extension, then the program's caption, "RAMESH THAPA 1990-05-10 —
// Selmarind v1.25".
QString RecordWindowTitle(const QString& path);

// The most records the Open Recent menu lists.
inline constexpr int kRecentRecordsMax = 8;

class BirthRecordActions : public QObject {
    Q_OBJECT

public:
    // The actions belong to `form` and fill and read it.
    explicit BirthRecordActions(FrmMain& form);

    // Puts "&Open Birth Record...", "&Save Birth Record..." and "Open &Recent"
    // into `fileMenu` before `before`.
    void addTo(QMenu& fileMenu, QAction* before);

    // Opens the record at `path` into the form. A file that cannot be read,
    // is not a record, is damaged or holds values the form cannot take is
    // refused with a message, and the form stays exactly as it was. True
    // when the form now shows the record.
    bool open(const QString& path);

    // Saves the form's record to `path`. Entries the form would refuse are
    // refused with its own message before anything is written; a failed
    // write says why and leaves the old file as it was. True when the whole
    // record is on the disk. Messages go over `parent`, the form when null.
    bool saveTo(const QString& path, QWidget* parent = nullptr);

    // The same through the file dialogs. `parent` is the window the save
    // was asked from (the result window's File menu); the form when null.
    void chooseAndOpen();
    void chooseAndSave(QWidget* parent = nullptr);

    // A new "&Save Birth Record..." entry that saves the form's record from
    // `window`, owned by `window`.
    QAction* newSaveAction(QWidget& window);

    // The recent records, the latest first (QSettings).
    static QStringList RecentRecords();

private:
    // After a record is opened or saved: the recent list and the title.
    void recordIsAt(const QString& path);
    void addRecent(const QString& path);
    void removeRecent(const QString& path);
    void openRecent(const QString& path);
    void fillRecentMenu();

    FrmMain& form_;
    QMenu* recentMenu_ = nullptr;
};

} // namespace selmarind
