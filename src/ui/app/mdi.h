// MDI: the frame window of a result. A title bar across the top, the
// result form in the middle and a bar with Back and Exit across the bottom.
#pragma once

#include <QMainWindow>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;

namespace selmarind {

class ChartExport;
class FrmDisplay;

class Mdi : public QMainWindow {
    Q_OBJECT

public:
    explicit Mdi(QWidget* parent = nullptr);

    // The result form, the frame's only child window.
    FrmDisplay* display() const { return display_; }

    // The export, print and copy entries of the File menu, which share the
    // chart on view.
    ChartExport* chartExport() const { return chartExport_; }

    // Puts `entry` into the File menu after "&Back", before the export
    // entries (the birth form's "&Save Birth Record...").
    void addFileEntry(QAction* entry);

    // Places the result form and the two buttons for the frame's current
    // width; runs on every resize and when the frame is first shown.
    void applyLayoutRule();

    // Left edge of the result form in the frame: centred on the screen's
    // width, but never left of the frame's edge, where it could not be
    // scrolled to. Pixels.
    static int DisplayLeft(int screenWidth, int displayWidth);

signals:
    // "&Back" in the bottom bar or the File menu.
    void backRequested();
    // "E&xit" in the bottom bar or the File menu, or the frame's close button.
    void exitRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void fitCanvas();

    FrmDisplay* display_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    ChartExport* chartExport_ = nullptr;
    QScrollArea* clientArea_ = nullptr;
    QWidget* canvas_ = nullptr;
    QPushButton* backButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
};

} // namespace selmarind
