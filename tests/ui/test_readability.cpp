// Readable and robust windows: every text against its ground reaches the
// WCAG 2.1 AA contrast, the keyboard focus shows as a ring on every kind of
// control, and long names neither move nor cover another control. Colours
// are read from the rendered pixels, so palettes, style sheets and the
// widget style all count as the user would see them.
//
// Run three times by CTest: on a 1366 × 768 screen, on a 1920 × 1080 one
// (SELMARIND_TEST_SCREEN=1920x1080), and on that with QT_SCALE_FACTOR=1.5.
#include "window_test_support.h"

#include "chart/chart_driver.h"
#include "screenshots/sample_chart.h"
#include "ui/app/mdi.h"
#include "ui/widgets/app_style.h"
#include "ui/widgets/focus_ring.h"
#include "ui/widgets/link_label.h"
#include "ui/windows/chart_square.h"
#include "ui/windows/elided_label.h"
#include "ui/windows/find_place_dialog.h"
#include "ui/windows/frm_about.h"
#include "ui/windows/frm_display.h"
#include "ui/windows/frm_main.h"
#include "ui/windows/notices_dialog.h"

#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QtMath>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>

using namespace selmarind;
using namespace selmarind::test;

namespace {

struct Sample {
    QColor background;
    QColor foreground;
    double ratio = 1.0;
};

// The ground is the commonest colour of the area; the text is the pixel
// that stands out second most from it (the cores of the glyphs' stems carry
// the full text colour, their anti-aliased edges only part of it; the second
// rather than the first, so that one stray pixel cannot pass a faint text).
std::optional<Sample> SampleText(const QImage& image) {
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ++counts[image.pixel(x, y) | 0xff000000u];
        }
    }
    if (counts.empty()) {
        return std::nullopt;
    }
    QRgb ground = counts.begin()->first;
    for (const auto& [colour, count] : counts) {
        if (count > counts[ground]) {
            ground = colour;
        }
    }
    std::vector<std::pair<double, QRgb>> ink;
    for (const auto& [colour, count] : counts) {
        const double ratio = ContrastRatio(QColor(colour), QColor(ground));
        for (int i = 0; i < std::min(count, 2); ++i) {
            ink.emplace_back(ratio, colour);
        }
    }
    std::sort(ink.begin(), ink.end(), std::greater<>());
    // No ink at all: an empty value.
    if (ink.size() < 2 || ink[1].first < 1.05) {
        return std::nullopt;
    }
    return Sample{QColor(ground), QColor(ink[1].second), ink[1].first};
}

// 3:1 suffices for large text: 18 pt, or 14 pt bold.
double NeededRatio(const QFont& font) {
    const double points = font.pointSizeF();
    return points >= 18.0 || (font.bold() && points >= 14.0) ? 3.0 : 4.5;
}

QString Describe(const QWidget* widget, const QString& what, const Sample& sample, double needed) {
    return QStringLiteral("%1 %2 \"%3\": %4 on %5 is %6:1, needs %7:1")
        .arg(QString::fromLatin1(widget->metaObject()->className()), widget->objectName(), what,
             sample.foreground.name(), sample.background.name())
        .arg(sample.ratio, 0, 'f', 2)
        .arg(needed, 0, 'f', 1);
}

void CheckArea(QWidget* widget, const QRect& area, const QString& what, const QFont& font,
               QStringList& failures, int& checked) {
    if (area.width() < 2 || area.height() < 2) {
        return;
    }
    const std::optional<Sample> sample = SampleText(widget->grab(area).toImage());
    if (!sample) {
        return;
    }
    ++checked;
    const double needed = NeededRatio(font);
    if (sample->ratio < needed) {
        failures << Describe(widget, what, *sample, needed);
    }
}

// The menus of a menu bar, each opened in turn, every enabled entry.
void CheckMenus(QMenuBar* bar, QStringList& failures, int& checked) {
    for (QAction* title : bar->actions()) {
        if (!title->isVisible()) {
            continue;
        }
        CheckArea(bar, bar->actionGeometry(title), title->text(), bar->font(), failures, checked);
        QMenu* menu = title->menu();
        if (!menu) {
            continue;
        }
        menu->popup(bar->mapToGlobal(bar->actionGeometry(title).bottomLeft()));
        Settle();
        for (QAction* entry : menu->actions()) {
            if (entry->isSeparator() || !entry->isVisible() || !entry->isEnabled()) {
                continue;
            }
            CheckArea(menu, menu->actionGeometry(entry), entry->text(), menu->font(), failures,
                      checked);
        }
        menu->hide();
        Settle();
    }
}

// Every visible, enabled text control of `root`, sampled inside its frame.
void CheckTexts(QWidget* root, QStringList& failures, int& checked) {
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(root) || !widget->isEnabled() || widget->width() < 4) {
            continue;
        }
        const QRect inside = widget->rect().adjusted(3, 3, -3, -3);
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            if (!label->text().isEmpty()) {
                CheckArea(label, label->rect(), label->text().left(30), label->font(), failures,
                          checked);
            }
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            CheckArea(edit, inside, edit->text().left(30), edit->font(), failures, checked);
        } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
            CheckArea(list, inside, list->currentText().left(30), list->font(), failures, checked);
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            CheckArea(button, qobject_cast<QPushButton*>(button) ? inside : button->rect(),
                      button->text(), button->font(), failures, checked);
        } else if (auto* bar = qobject_cast<QTabBar*>(widget)) {
            for (int i = 0; i < bar->count(); ++i) {
                CheckArea(bar, bar->tabRect(i).adjusted(3, 3, -3, -3), bar->tabText(i), bar->font(),
                          failures, checked);
            }
        } else if (auto* menuBar = qobject_cast<QMenuBar*>(widget)) {
            CheckMenus(menuBar, failures, checked);
        }
    }
}

// The pixel of `image` at `point`, or nothing outside it.
std::optional<QColor> PixelAt(const QImage& image, QPoint point) {
    if (!image.rect().contains(point)) {
        return std::nullopt;
    }
    return QColor(image.pixel(point));
}

QString FocusRingFault(QWidget* control, QWidget* elsewhere) {
    QWidget* host = control->parentWidget();
    // The area around the control (around the current tab for a tab bar).
    QRect target = control->geometry();
    if (auto* bar = qobject_cast<QTabBar*>(control)) {
        target = bar->tabRect(bar->currentIndex()).translated(bar->pos());
    }
    const QRect area = target.adjusted(-6, -6, 6, 6) & host->rect();
    const QRect geometryBefore = control->geometry();

    elsewhere->setFocus(Qt::TabFocusReason);
    Settle();
    const QImage before = host->grab(area).toImage();
    control->setFocus(Qt::TabFocusReason);
    Settle();
    if (!control->hasFocus()) {
        return QStringLiteral("the control does not take the focus");
    }
    const QImage after = host->grab(area).toImage();
    if (control->geometry() != geometryBefore) {
        return QStringLiteral("focusing moved the control");
    }

    // From the middle of each side, walk inward from the area's edge: the
    // first changed pixel starts the ring, which is at least two pixels
    // deep, near the control's edge, and stands out 3:1 from the pixel
    // just outside it.
    // In the grab's device pixels: 1.5 to a logical pixel at a scale
    // factor of 1.5.
    const qreal dpr = after.devicePixelRatio();
    const QRect logical = target.translated(-area.topLeft());
    const QRect local(
        QPoint(qRound(logical.left() * dpr), qRound(logical.top() * dpr)),
        QPoint(qRound((logical.right() + 1) * dpr) - 1, qRound((logical.bottom() + 1) * dpr) - 1));
    const int ringDepth = qRound(kFocusRingWidthPx * dpr);
    const int slack = qCeil(3 * dpr);
    struct Side {
        const char* name;
        QPoint start;
        QPoint step;
        int edgeDistanceFromStart;
    };
    const std::array<Side, 4> sides = {{
        {"top", QPoint(local.center().x(), 0), QPoint(0, 1), local.top()},
        {"bottom", QPoint(local.center().x(), after.height() - 1), QPoint(0, -1),
         after.height() - 1 - local.bottom()},
        {"left", QPoint(0, local.center().y()), QPoint(1, 0), local.left()},
        {"right", QPoint(after.width() - 1, local.center().y()), QPoint(-1, 0),
         after.width() - 1 - local.right()},
    }};
    for (const Side& side : sides) {
        int first = -1;
        for (int i = 0; i <= side.edgeDistanceFromStart + slack + 1; ++i) {
            const QPoint p = side.start + side.step * i;
            if (before.pixel(p) != after.pixel(p)) {
                first = i;
                break;
            }
        }
        if (first < 0 || std::abs(first - side.edgeDistanceFromStart) > slack) {
            return QStringLiteral("no ring at the %1 edge").arg(QString::fromLatin1(side.name));
        }
        const QPoint ringPoint = side.start + side.step * first;
        for (int depth = 1; depth < ringDepth; ++depth) {
            const QPoint inner = ringPoint + side.step * depth;
            if (before.pixel(inner) == after.pixel(inner)) {
                return QStringLiteral("the ring at the %1 edge is %2 device pixels wide")
                    .arg(QString::fromLatin1(side.name))
                    .arg(depth);
            }
        }
        const std::optional<QColor> outside = PixelAt(after, ringPoint - side.step);
        const QColor ring(after.pixel(ringPoint));
        if (outside && ContrastRatio(ring, *outside) < 3.0) {
            return QStringLiteral("the ring at the %1 edge, %2 on %3, is %4:1")
                .arg(QString::fromLatin1(side.name), ring.name(), outside->name())
                .arg(ContrastRatio(ring, *outside), 0, 'f', 2);
        }
    }
    return {};
}

template <typename T> T* Child(QWidget& parent, const char* name) {
    return parent.findChild<T*>(QString::fromLatin1(name));
}

// The rectangles of every visible widget of `root` that `filter` keeps,
// in `root`'s coordinates, by object name (or class and index).
std::map<QString, QRect> Geometries(QWidget* root) {
    std::map<QString, QRect> rects;
    int unnamed = 0;
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(root) || widget->objectName() == QStringLiteral("focusRing")) {
            continue;
        }
        QString key = widget->objectName();
        if (key.isEmpty() || key.startsWith(QStringLiteral("qt_"))) {
            key = QStringLiteral("%1#%2")
                      .arg(QString::fromLatin1(widget->metaObject()->className()))
                      .arg(unnamed++);
        }
        rects[key] = QRect(widget->mapTo(root, QPoint(0, 0)), widget->size());
    }
    return rects;
}

// Pairs of sibling controls whose rectangles overlap.
QStringList Overlaps(QWidget* root) {
    QStringList pairs;
    for (QWidget* parent : root->findChildren<QWidget*>()) {
        QList<QWidget*> children;
        for (QObject* object : parent->children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (child && child->isVisibleTo(root) && !child->isWindow() &&
                child->objectName() != QStringLiteral("focusRing")) {
                children << child;
            }
        }
        for (int i = 0; i < children.size(); ++i) {
            for (int j = i + 1; j < children.size(); ++j) {
                if (children[i]->geometry().intersects(children[j]->geometry())) {
                    pairs << children[i]->objectName() + QStringLiteral(" / ") +
                                 children[j]->objectName();
                }
            }
        }
    }
    pairs.sort();
    return pairs;
}

} // namespace

class TestReadability : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { UsePrivateSettings(settingsDir_); }

    // Provenance: WCAG 2.1's definition (black on white is 21:1, a colour
    // on itself 1:1); #767676 on white is the grey WCAG's own examples give
    // as just reaching 4.5:1 (4.54:1); the birth form's former menu bar,
    // black on the ground, is the 1.4:1 the fault report measured.
    void contrastRatio_data() {
        QTest::addColumn<QColor>("a");
        QTest::addColumn<QColor>("b");
        QTest::addColumn<double>("expected");
        QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
        QTest::newRow("white on black, order free")
            << QColor(Qt::white) << QColor(Qt::black) << 21.0;
        QTest::newRow("a colour on itself") << kBackgroundColor << kBackgroundColor << 1.0;
        QTest::newRow("#767676 on white") << QColor(0x76, 0x76, 0x76) << QColor(Qt::white) << 4.54;
        QTest::newRow("black on the ground") << QColor(Qt::black) << kBackgroundColor << 1.44;
    }
    void contrastRatio() {
        QFETCH(QColor, a);
        QFETCH(QColor, b);
        QFETCH(double, expected);
        const double actual = ContrastRatio(a, b);
        QVERIFY2(std::abs(actual - expected) < 0.01,
                 qPrintable(QStringLiteral("%1 on %2: expected %3, got %4")
                                .arg(a.name(), b.name())
                                .arg(expected)
                                .arg(actual)));
    }

    // Every text of the birth form, its menu bar and menus included.
    void birthFormTexts() {
        FrmMain form;
        form.show();
        EnterBirthData(form, SampleBirthEntries());
        Settle();
        expectReadable(&form, 30);
    }

    // The result form's three tabs in the frame, with the frame's bars and
    // menus.
    void resultFormTexts() {
        Mdi frame;
        const BirthEntries entries = SampleBirthEntries();
        const std::optional<ChartResult> result = CalculateChart(entries);
        QVERIFY(result);
        frame.display()->showResult(*result, entries);
        frame.show();
        Settle();
        for (int tab = 0; tab < frame.display()->tabs()->count(); ++tab) {
            frame.display()->tabs()->setCurrentIndex(tab);
            Settle();
            expectReadable(&frame, 30);
        }
    }

    void aboutAndNoticesTexts() {
        FrmAbout about;
        about.show();
        Settle();
        expectReadable(&about, 5);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("NOTICE"));
        QFile notice(path);
        QVERIFY(notice.open(QIODevice::WriteOnly));
        notice.write("Third-party notices\nSome library, its licence.\n");
        notice.close();
        NoticesDialog notices(path);
        notices.show();
        Settle();
        expectReadable(&notices, 1);
    }

    void findPlaceTexts() {
        std::string fault;
        const std::shared_ptr<const Atlas> atlas = CachedAtlas(SELMARIND_TEST_ATLAS, fault);
        if (!atlas) {
            QSKIP(qPrintable(QStringLiteral("no atlas: ") + QString::fromStdString(fault)));
        }
        const ZoneResolver noZones(QDir(QDir::tempPath()).filePath("no-tzdb-here").toStdString());
        FindPlaceDialog dialog(*atlas, noZones, QStringLiteral("Kathmandu"),
                               LocalDateTime{1990, 6, 1, 12, 0, 0});
        dialog.show();
        Settle();
        expectReadable(&dialog, 5);
    }

    // One row per kind of focusable control: the ring shows when the
    // control takes the focus.
    void focusRing_data() {
        QTest::addColumn<QString>("control");
        QTest::newRow("line edit") << QStringLiteral("txtName");
        QTest::newRow("list") << QStringLiteral("cboMonth");
        QTest::newRow("check box") << QStringLiteral("chkDST");
        QTest::newRow("option button") << QStringLiteral("optLat_0");
        QTest::newRow("push button") << QStringLiteral("cmdRashi");
        QTest::newRow("tab") << QStringLiteral("tabs");
        QTest::newRow("link") << QStringLiteral("Label6");
    }
    void focusRing() {
        QFETCH(QString, control);
        FrmMain form;
        Mdi frame;
        QWidget* target = nullptr;
        QWidget* elsewhere = nullptr;
        if (control == QStringLiteral("tabs") || control == QStringLiteral("Label6")) {
            const std::optional<ChartResult> result = CalculateChart(SampleBirthEntries());
            QVERIFY(result);
            frame.display()->showResult(*result);
            frame.show();
            frame.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&frame));
            target = control == QStringLiteral("tabs")
                         ? static_cast<QWidget*>(frame.display()->tabs()->tabBar())
                         : frame.display()->findChild<LinkLabel*>(control);
            elsewhere = frame.findChild<QPushButton*>(QStringLiteral("cmdExit"));
        } else {
            form.show();
            form.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&form));
            target = form.findChild<QWidget*>(control);
            elsewhere = form.findChild<QWidget*>(control == QStringLiteral("txtName")
                                                     ? QStringLiteral("txtMCity")
                                                     : QStringLiteral("txtName"));
        }
        QVERIFY2(target && elsewhere, qPrintable(control));
        const QString fault = FocusRingFault(target, elsewhere);
        QVERIFY2(fault.isEmpty(), qPrintable(control + QStringLiteral(": ") + fault));
        QCOMPARE(FocusRingTarget(), target);
    }

    // Long names against the sample's short ones: on the result form no
    // control moves, none newly overlaps another, and the whole text is in
    // the tooltip and the accessible name; on the birth form the fields keep
    // their places.
    void longNamesKeepTheLayout() {
        const BirthEntries shortEntries = SampleBirthEntries();
        const BirthEntries longEntries = LongNameBirthEntries();
        const std::optional<ChartResult> shortResult = CalculateChart(shortEntries);
        const std::optional<ChartResult> longResult = CalculateChart(longEntries);
        QVERIFY(shortResult && longResult);

        FrmDisplay form;
        form.show();
        form.showResult(*shortResult, shortEntries);
        Settle();
        const std::map<QString, QRect> before = Geometries(&form);
        const QStringList overlapsBefore = Overlaps(&form);
        form.showResult(*longResult, longEntries);
        Settle();
        const std::map<QString, QRect> after = Geometries(&form);
        for (const auto& [name, rect] : before) {
            // The Chart Details tab's rows are made anew for each result.
            if (name.startsWith(QStringLiteral("lblChartDetail")) ||
                name.startsWith(QStringLiteral("fraChartDetails"))) {
                continue;
            }
            const auto found = after.find(name);
            QVERIFY2(found != after.end(), qPrintable(name + QStringLiteral(" is gone")));
            QVERIFY2(found->second == rect,
                     qPrintable(QStringLiteral("%1 moved from %2,%3 %4x%5 to %6,%7 %8x%9")
                                    .arg(name)
                                    .arg(rect.x())
                                    .arg(rect.y())
                                    .arg(rect.width())
                                    .arg(rect.height())
                                    .arg(found->second.x())
                                    .arg(found->second.y())
                                    .arg(found->second.width())
                                    .arg(found->second.height())));
        }
        QCOMPARE(Overlaps(&form), overlapsBefore);

        const std::array<std::pair<const char*, std::string>, 3> values = {{
            {"lblName", longEntries.txtName},
            {"lblCity", longEntries.txtMCity},
            {"lblCountry", longEntries.txtMCountry},
        }};
        // The sixty-letter city cannot fit its column: it is cut, not drawn
        // over the chart.
        auto* city = Child<ElidedLabel>(form, "lblCity");
        QVERIFY(city && city->isElided());
        QVERIFY(!Child<ElidedLabel>(form, "lblState")->isElided());
        for (const auto& [name, text] : values) {
            auto* label = Child<QLabel>(form, name);
            QVERIFY2(label, name);
            const QString whole = QString::fromStdString(text);
            QVERIFY2(label->toolTip().contains(whole, Qt::CaseInsensitive),
                     qPrintable(QStringLiteral("%1 tooltip: %2").arg(name, label->toolTip())));
            QVERIFY2(label->accessibleName().contains(whole, Qt::CaseInsensitive),
                     qPrintable(QStringLiteral("%1 name: %2").arg(name, label->accessibleName())));
        }

        FrmMain birthForm;
        birthForm.show();
        EnterBirthData(birthForm, shortEntries);
        Settle();
        const std::map<QString, QRect> formBefore = Geometries(&birthForm);
        EnterBirthData(birthForm, longEntries);
        Settle();
        QVERIFY(Geometries(&birthForm) == formBefore);
    }

    // The result form maximized in the frame shows the chart square whole
    // on this run's screen, long names and all.
    void chartSquareShowsWhole() {
        Mdi frame;
        const BirthEntries entries = LongNameBirthEntries();
        const std::optional<ChartResult> result = CalculateChart(entries);
        QVERIFY(result);
        frame.display()->showResult(*result, entries);
        frame.showMaximized();
        Settle();
        auto* square = frame.display()->findChild<ChartSquare*>();
        auto* area = frame.findChild<QScrollArea*>(QStringLiteral("mdiClient"));
        QVERIFY(square && area);
        const QRect inViewport(square->mapTo(area->viewport(), QPoint(0, 0)), square->size());
        QVERIFY2(area->viewport()->rect().contains(inViewport),
                 qPrintable(QStringLiteral("screen %1x%2 at scale %3: the square %4,%5 %6x%7 in a "
                                           "viewport of %8x%9")
                                .arg(frame.screen()->geometry().width())
                                .arg(frame.screen()->geometry().height())
                                .arg(frame.devicePixelRatioF())
                                .arg(inViewport.x())
                                .arg(inViewport.y())
                                .arg(inViewport.width())
                                .arg(inViewport.height())
                                .arg(area->viewport()->width())
                                .arg(area->viewport()->height())));
    }

private:
    void expectReadable(QWidget* root, int leastChecked) {
        QStringList failures;
        int checked = 0;
        CheckTexts(root, failures, checked);
        QVERIFY2(
            checked >= leastChecked,
            qPrintable(
                QStringLiteral("only %1 texts found in %2").arg(checked).arg(root->objectName())));
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
    }

    QTemporaryDir settingsDir_;
};

// The screen comes from SELMARIND_TEST_SCREEN ("1920x1080"), else the
// laptop screen of the other window tests.
int main(int argc, char* argv[]) {
    UseScreenFromEnvironment();
    QApplication app(argc, argv);
    TestReadability test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_readability.moc"
