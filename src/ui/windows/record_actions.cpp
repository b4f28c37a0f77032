#include "ui/windows/record_actions.h"

#include "records/record_checks.h"
#include "records/record_file.h"
#include "ui/widgets/app_style.h"
#include "ui/widgets/dialog_service.h"
#include "ui/widgets/file_dialogs.h"
#include "ui/widgets/save_file.h"
#include "ui/windows/frm_main.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

#include <filesystem>

namespace selmarind {

namespace {

const QString kRecentKey = QStringLiteral("birthRecords/recent");
const QString kFolderKind = QStringLiteral("records");

QString RecordFilter() {
    return QStringLiteral("Birth records (*%1)").arg(QString::fromLatin1(kBirthRecordExtension));
}

QString Shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

void ShowStop(QWidget* parent, const QString& text) {
    Dialogs().showMessage(parent, text, DialogIcon::Stop);
}

} // namespace

QString RecordWindowTitle(const QString& path) {
    return QFileInfo(path).completeBaseName() + QStringLiteral(" \u2014 ") + kWindowCaption;
}

BirthRecordActions::BirthRecordActions(FrmMain& form) : QObject(&form), form_(form) {}

QAction* BirthRecordActions::newSaveAction(QWidget& window) {
    auto* save = new QAction(QStringLiteral("&Save Birth Record..."), &window);
    save->setObjectName(QStringLiteral("mnuSaveRecord"));
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, [this, target = &window] { chooseAndSave(target); });
    return save;
}

void BirthRecordActions::recordIsAt(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    addRecent(absolute);
    form_.setWindowTitle(RecordWindowTitle(absolute));
}

void BirthRecordActions::addTo(QMenu& fileMenu, QAction* before) {
    auto* open = new QAction(QStringLiteral("&Open Birth Record..."), &form_);
    open->setObjectName(QStringLiteral("mnuOpenRecord"));
    open->setShortcut(QKeySequence::Open);
    connect(open, &QAction::triggered, this, &BirthRecordActions::chooseAndOpen);

    QAction* save = newSaveAction(form_);

    recentMenu_ = new QMenu(QStringLiteral("Open &Recent"), &form_);
    recentMenu_->setObjectName(QStringLiteral("mnuOpenRecent"));
    // Built when it opens, so that it lists what the settings hold now.
    connect(recentMenu_, &QMenu::aboutToShow, this, &BirthRecordActions::fillRecentMenu);
    fillRecentMenu();

    fileMenu.insertAction(before, open);
    fileMenu.insertAction(before, save);
    fileMenu.insertMenu(before, recentMenu_);
}

bool BirthRecordActions::open(const QString& path) {
    const RecordOrFault read = ReadBirthRecordFile(std::filesystem::path(path.toStdString()));
    if (!read.contents) {
        ShowStop(&form_, QStringLiteral("The birth record \"%1\" was not opened.\n\n%2")
                             .arg(Shown(path), QString::fromStdString(read.message)));
        return false;
    }
    form_.applyRecord(*read.contents);
    recordIsAt(path);
    return true;
}

bool BirthRecordActions::saveTo(const QString& path, QWidget* parent) {
    QWidget* over = parent ? parent : &form_;
    const BirthRecordContents contents = form_.recordContents();
    if (const std::optional<std::string> refusal = CheckBirthRecord(contents)) {
        ShowStop(over, QString::fromStdString(*refusal));
        return false;
    }
    const std::string text = WriteBirthRecord(contents);
    if (const std::optional<QString> failure =
            SaveFileReplacing(path, QByteArray::fromStdString(text))) {
        ShowStop(over, *failure);
        return false;
    }
    recordIsAt(path);
    return true;
}

void BirthRecordActions::chooseAndOpen() {
    const QString path = FileDialogs().askOpenPath(
        &form_, QStringLiteral("Open Birth Record"), LastFolder(kFolderKind),
        {RecordFilter(), QStringLiteral("All files (*)")});
    if (path.isEmpty()) {
        return;
    }
    RememberFolder(kFolderKind, path);
    open(path);
}

void BirthRecordActions::chooseAndSave(QWidget* parent) {
    QWidget* over = parent ? parent : &form_;
    // The checks come before the dialog, so that nobody picks a name for a
    // record that cannot be saved.
    if (const std::optional<std::string> refusal = CheckBirthRecord(form_.recordContents())) {
        ShowStop(over, QString::fromStdString(*refusal));
        return;
    }
    const QString extension = QString::fromLatin1(kBirthRecordExtension);
    QString filter = RecordFilter();
    QString path = FileDialogs().askSavePath(
        over, QStringLiteral("Save Birth Record"),
        QDir(LastFolder(kFolderKind)).filePath(SuggestedFileName(form_.entries(), extension)),
        {filter}, &filter);
    if (path.isEmpty()) {
        return;
    }
    if (!path.endsWith(extension, Qt::CaseInsensitive)) {
        path += extension;
    }
    RememberFolder(kFolderKind, path);
    saveTo(path, over);
}

QStringList BirthRecordActions::RecentRecords() {
    QStringList recent = QSettings().value(kRecentKey).toStringList();
    recent.removeAll(QString());
    recent.removeDuplicates();
    return recent.mid(0, kRecentRecordsMax);
}

void BirthRecordActions::addRecent(const QString& path) {
    QStringList recent = RecentRecords();
    recent.removeAll(path);
    recent.prepend(path);
    QSettings().setValue(kRecentKey, recent.mid(0, kRecentRecordsMax));
}

void BirthRecordActions::removeRecent(const QString& path) {
    QStringList recent = RecentRecords();
    recent.removeAll(path);
    QSettings().setValue(kRecentKey, recent);
}

void BirthRecordActions::openRecent(const QString& path) {
    if (!QFileInfo::exists(path)) {
        // The menu is rebuilt when it next opens: this entry is the sender.
        removeRecent(path);
        ShowStop(&form_, QStringLiteral("The birth record \"%1\" is no longer there. It has been "
                                        "taken off the list of recent records.")
                             .arg(Shown(path)));
        return;
    }
    open(path);
}

void BirthRecordActions::fillRecentMenu() {
    recentMenu_->clear();
    const QStringList recent = RecentRecords();
    int number = 1;
    for (const QString& path : recent) {
        // "&1 ANANYA RAO 1987-08-14.selmarind"; the whole path as the tip.
        QString caption = QFileInfo(path).fileName();
        caption.replace(u'&', QStringLiteral("&&"));
        QAction* entry = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(number).arg(caption));
        entry->setObjectName(QStringLiteral("mnuRecentRecord_%1").arg(number - 1));
        entry->setToolTip(Shown(path));
        entry->setData(path);
        connect(entry, &QAction::triggered, this, [this, path] { openRecent(path); });
        ++number;
    }
    if (recent.isEmpty()) {
        recentMenu_->addAction(QStringLiteral("No recent records"))->setEnabled(false);
    }
}

} // namespace selmarind
