// The result form: where each text of a result lands, how the chart square
// shows crowded and empty signs, what assistive technology reads, and the
// two links.
#include "chart/sign_tables.h"
#include "engine/name_tables.h"
#include "ui/widgets/web_links.h"
#include "ui/windows/caption_label.h"
#include "ui/windows/chart_square.h"
#include "ui/windows/fit_label.h"
#include "ui/windows/frm_display.h"
#include "window_test_support.h"

#include <QAccessible>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabWidget>

using namespace selmarind;
using namespace selmarind::test;

namespace {

QLabel* Label(QWidget& form, const QString& name) {
    return form.findChild<QLabel*>(name);
}

QLabel* Cell(QWidget& form, int sign) {
    return Label(form, QString::fromLatin1(kSignCellNames[sign]));
}

CaptionLabel* Caption(QWidget& form, int sign) {
    return qobject_cast<CaptionLabel*>(Cell(form, sign));
}

// A result with recognisable texts in every control.
ChartResult MadeUpResult() {
    ChartResult result;
    ResultFormTexts& form = result.form;
    form.lblName = "ANANYA RAO";
    form.lblDOB = "August/14/1987";
    form.lblTOB = "6:30";
    form.lblLatitude = "12° 58' N";
    form.lblLongitude = "77° 35' E";
    form.lblCity = "Bangalore";
    form.lblState = "Karnataka";
    form.lblCountry = "India";
    for (int i = 0; i < 10; ++i) {
        form.planet[i] = "0" + std::to_string(i) + " Ari 1" + std::to_string(i);
    }
    form.signCells[3] = "\r\nSun\r\nMercury (R) \r\nVenus";
    form.signCells[4] = "\r\nMars\r\nAsc";
    form.signCells[11] = "\r\nMoon\r\nRahu";
    form.lblArudha[3] = "\r\n\r\nTL";
    form.lblArudha[8] = "\r\n\r\n\r\n";
    form.lblHoraDesc = "You will gain money from foreign places.";
    for (std::size_t i = 0; i < form.attributes.size(); ++i) {
        form.attributes[i] = "attribute " + std::to_string(i);
    }
    return result;
}

bool Overlaps(QWidget* a, QWidget* b) {
    const QRect ra(a->mapTo(a->window(), QPoint(0, 0)), a->size());
    const QRect rb(b->mapTo(b->window(), QPoint(0, 0)), b->size());
    return ra.intersects(rb);
}

} // namespace

class TestFrmDisplay : public QObject {
    Q_OBJECT

private slots:
    // Before a result the controls show their designer contents; the
    // numbers 1 to 12 stand in the cells of Aries to Pisces.
    void designerContentsBeforeAResult() {
        FrmDisplay form;
        QCOMPARE(form.objectName(), QStringLiteral("frmDisplay"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Selmarind v1.25"));
        QCOMPARE(Label(form, QStringLiteral("lblName"))->text(), QStringLiteral("LblName"));
        for (int s = 0; s < 12; ++s) {
            QCOMPARE(Cell(form, s)->text(), QString::fromLatin1(kSignCellNames[s]));
            QCOMPARE(Label(form, QStringLiteral("lblArudha_%1").arg(s))->text(),
                     QStringLiteral("A12"));
            QCOMPARE(Label(form, QStringLiteral("Hno_%1").arg(s))->text(), QString::number(s + 1));
        }
        QCOMPARE(form.tabs()->objectName(), QStringLiteral("SSTab1"));
        QCOMPARE(form.tabs()->tabText(0), QStringLiteral("Torvi Lagna - Chart"));
        QCOMPARE(form.tabs()->tabText(1), QStringLiteral("Torvi Lagna Details"));
    }

    // Every text of a result reaches the control of its name; the cells show
    // their bodies one per line without the leading break (the trailing
    // space of " (R) " kept), markers show only "TL", empty signs are empty,
    // and the first tab is selected even when the second was on view.
    void resultTextsReachTheirControls() {
        FrmDisplay form;
        form.show();
        form.tabs()->setCurrentIndex(1);
        const ChartResult result = MadeUpResult();
        form.showResult(result);

        QCOMPARE(form.tabs()->currentIndex(), 0);
        QCOMPARE(Label(form, QStringLiteral("lblName"))->text(), QStringLiteral("ANANYA RAO"));
        QCOMPARE(Label(form, QStringLiteral("lblDOB"))->text(), QStringLiteral("August/14/1987"));
        QCOMPARE(Label(form, QStringLiteral("lblTOB"))->text(), QStringLiteral("6:30"));
        QCOMPARE(Label(form, QStringLiteral("lblLatitude"))->text(), QStringLiteral("12° 58' N"));
        QCOMPARE(Label(form, QStringLiteral("lblLongitude"))->text(), QStringLiteral("77° 35' E"));
        QCOMPARE(Label(form, QStringLiteral("lblCity"))->text(), QStringLiteral("Bangalore"));
        QCOMPARE(Label(form, QStringLiteral("lblState"))->text(), QStringLiteral("Karnataka"));
        QCOMPARE(Label(form, QStringLiteral("lblCountry"))->text(), QStringLiteral("India"));
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(Label(form, QStringLiteral("planet_%1").arg(i))->text(),
                     QString::fromStdString(result.form.planet[i]));
        }
        // The labels hold the captions as calculated and show their visible lines.
        QCOMPARE(Cell(form, 3)->text(), QStringLiteral("\r\nSun\r\nMercury (R) \r\nVenus"));
        QCOMPARE(Caption(form, 3)->visibleText(), QStringLiteral("Sun\nMercury (R) \nVenus"));
        QCOMPARE(Caption(form, 4)->visibleText(), QStringLiteral("Mars\nAsc"));
        QCOMPARE(Caption(form, 11)->visibleText(), QStringLiteral("Moon\nRahu"));
        QCOMPARE(Cell(form, 0)->text(), QString());

        auto* tl = qobject_cast<CaptionLabel*>(Label(form, QStringLiteral("lblArudha_3")));
        QVERIFY(tl);
        QCOMPARE(tl->text(), QStringLiteral("\r\n\r\nTL"));
        QCOMPARE(tl->visibleText(), QStringLiteral("TL"));
        QVERIFY(tl->isVisible());
        QVERIFY(!Overlaps(tl, Cell(form, 3)));
        QCOMPARE(Label(form, QStringLiteral("lblArudha_8"))->text(),
                 QStringLiteral("\r\n\r\n\r\n"));
        QVERIFY(!Label(form, QStringLiteral("lblArudha_8"))->isVisible());
        QCOMPARE(Label(form, QStringLiteral("lblArudha_0"))->text(), QString());

        QCOMPARE(Label(form, QStringLiteral("lblHoraDesc"))->text(),
                 QStringLiteral("You will gain money from foreign places."));
        for (std::size_t i = 0; i < kAttributeControls.size(); ++i) {
            const QString name = QString::fromUtf8(kAttributeControls[i].objectName.data(),
                                                   kAttributeControls[i].objectName.size());
            const QString expected = QStringLiteral("attribute %1").arg(i);
            if (kAttributeControls[i].isParagraph) {
                auto* box = form.findChild<QPlainTextEdit*>(name);
                QVERIFY2(box, qPrintable(name));
                QCOMPARE(box->toPlainText(), expected);
            } else {
                QVERIFY2(Label(form, name), qPrintable(name));
                QCOMPARE(Label(form, name)->text(), expected);
            }
        }
    }

    // The twelve cells stand as in a South Indian chart: Pisces, Aries,
    // Taurus, Gemini across the top, Sagittarius, Scorpio, Libra, Virgo across
    // the bottom, Aquarius and Capricorn down the left, Cancer and Leo down
    // the right, with no cell in the centre; no two cells overlap.
    void cellsStandInTheSouthIndianSquare() {
        FrmDisplay form;
        form.show();
        auto centreOf = [&](int sign) {
            QLabel* cell = Cell(form, sign);
            return cell->mapTo(&form, cell->rect().center());
        };
        const std::array<std::array<int, 4>, 4> rows = {{
            {11, 0, 1, 2},
            {10, -1, -1, 3},
            {9, -1, -1, 4},
            {8, 7, 6, 5},
        }};
        const QPoint origin = centreOf(11);
        const int step = centreOf(0).x() - origin.x();
        QVERIFY(step > 0);
        for (int row = 0; row < 4; ++row) {
            for (int column = 0; column < 4; ++column) {
                const int sign = rows[row][column];
                if (sign < 0) {
                    continue;
                }
                const QPoint at = centreOf(sign);
                QVERIFY2(qAbs(at.x() - (origin.x() + column * step)) <= 2, kSignCellNames[sign]);
                QVERIFY2(qAbs(at.y() - (origin.y() + row * step)) <= 2, kSignCellNames[sign]);
            }
        }
        for (int a = 0; a < 12; ++a) {
            for (int b = a + 1; b < 12; ++b) {
                QVERIFY(!Overlaps(Cell(form, a), Cell(form, b)));
            }
        }
    }

    // A sign holding nine bodies shows all nine: the cell's text fits its
    // label at a readable size. Markers and numbers stay where they were.
    void crowdedSignShowsEveryBody() {
        FrmDisplay form;
        form.show();
        ChartResult result = MadeUpResult();
        result.form.signCells[9] = "\r\nSun\r\nMoon\r\nMercury (R) \r\nVenus (R) \r\nMars (R) "
                                   "\r\nJupiter (R) \r\nSaturn (R) \r\nKetu\r\nAsc";
        result.form.lblArudha[9] = "\r\nTL";
        form.showResult(result);

        auto* cell = qobject_cast<FitLabel*>(Cell(form, 9));
        QVERIFY(cell);
        QCOMPARE(cell->visibleText().split(QLatin1Char('\n')).size(), 9);
        QVERIFY2(cell->fittedPointSize() >= 6.5,
                 qPrintable(QString::number(cell->fittedPointSize())));
        const QRect needed = QFontMetrics(cell->font())
                                 .boundingRect(cell->contentsRect(), Qt::AlignLeft | Qt::AlignTop,
                                               cell->visibleText());
        QVERIFY2(cell->contentsRect().contains(needed),
                 qPrintable(QStringLiteral("needs %1 × %2, has %3 × %4")
                                .arg(needed.width())
                                .arg(needed.height())
                                .arg(cell->contentsRect().width())
                                .arg(cell->contentsRect().height())));
        // An ordinary cell keeps the full size.
        auto* ordinary = qobject_cast<FitLabel*>(Cell(form, 4));
        QCOMPARE(ordinary->fittedPointSize(), 8.25);
    }

    // A prediction paragraph of about 900 characters is shown whole: the box
    // is read-only, wraps at its width, never scrolls sideways, and its
    // scroll range reaches the last line.
    void longPredictionIsReadable() {
        FrmDisplay form;
        form.show();
        ChartResult result = MadeUpResult();
        std::string paragraph;
        while (paragraph.size() < 900) {
            paragraph += "You are sensitive and caring, and you feel the moods of others. ";
        }
        result.form.attributes[22] = paragraph; // txtNature
        form.showResult(result);
        form.tabs()->setCurrentIndex(1);
        Settle();

        auto* box = form.findChild<QPlainTextEdit*>(QStringLiteral("txtNature"));
        QVERIFY(box->isReadOnly());
        QCOMPARE(box->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(box->toPlainText(), QString::fromStdString(paragraph));
        QCOMPARE(box->horizontalScrollBar()->maximum(), 0);
        QVERIFY(box->viewport()->height() / box->fontMetrics().lineSpacing() >= 3);
        box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
        QVERIFY(box->cursorForPosition(QPoint(4, box->viewport()->height() - 4)).position() >
                static_cast<int>(paragraph.size()) - 80);
    }

    // Assistive technology reads every value with its caption, the cells by
    // their signs; the chart's lines are drawings, not widgets.
    void valuesCarryTheirCaptions() {
        FrmDisplay form;
        QCOMPARE(Label(form, QStringLiteral("planet_0"))->accessibleDescription(),
                 QStringLiteral("Surya/Sun"));
        QCOMPARE(Label(form, QStringLiteral("planet_9"))->accessibleDescription(),
                 QStringLiteral("Asc/Lagna"));
        QCOMPARE(Label(form, QStringLiteral("lblDOB"))->accessibleDescription(),
                 QStringLiteral("Date of Birth"));
        QCOMPARE(Label(form, QStringLiteral("lblHoraDesc"))->accessibleDescription(),
                 QStringLiteral("Torvi Lagna Present In House Significance"));
        for (int s = 0; s < 12; ++s) {
            QCOMPARE(Cell(form, s)->accessibleDescription(), QString::fromUtf8(kSignNames[s]));
        }
        for (const AttributeControl& control : kAttributeControls) {
            auto* widget = form.findChild<QWidget*>(
                QString::fromUtf8(control.objectName.data(), control.objectName.size()));
            QVERIFY(widget);
            QCOMPARE(widget->accessibleDescription(),
                     QString::fromUtf8(control.caption.data(), control.caption.size()));
        }
        auto* square = form.findChild<ChartSquare*>(QStringLiteral("chartSquare"));
        QVERIFY(square);
        QStringList lines;
        for (const ChartSquare::Stroke& stroke : square->strokes()) {
            if (stroke.isLine) {
                lines << stroke.name;
            }
        }
        QStringList expected;
        for (int i = 0; i < 12; ++i) {
            expected << QStringLiteral("shpHora_%1").arg(i);
        }
        QCOMPARE(lines, expected);
        for (const ChartSquare::Stroke& stroke : square->strokes()) {
            QVERIFY2(form.findChild<QWidget*>(stroke.name) == nullptr, qPrintable(stroke.name));
        }
    }

    // Each value is read once, as "caption: value": the caption drawn beside
    // it is reported as not showing, while the values, the group titles and
    // the other texts stay.
    void captionsAreNotReadTwice() {
        FrmDisplay form;
        form.showResult(MadeUpResult());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // What shows to a reader on one tab: the names of the labels not
        // reported invisible; and the names of those that are.
        const auto read = [&form](int tab, QStringList& spoken, QStringList& hidden) {
            form.tabs()->setCurrentIndex(tab);
            spoken.clear();
            hidden.clear();
            for (QLabel* label : form.findChildren<QLabel*>()) {
                QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(label);
                (reader->state().invisible ? hidden : spoken) << reader->text(QAccessible::Name);
            }
        };
        QStringList spoken, hidden;
        read(0, spoken, hidden);
        for (const char* caption : {"Date of Birth :", "Surya/Sun", "Asc/Lagna",
                                    "Torvi Lagna Present In House Significance"}) {
            QVERIFY2(hidden.contains(caption) && !spoken.contains(caption), caption);
        }
        QCOMPARE(spoken.filter(QRegularExpression("^Surya/Sun: ")).size(), 1);
        QCOMPARE(spoken.filter(QRegularExpression("^Date of Birth: ")).size(), 1);
        QVERIFY(spoken.contains("Significance of Torvi Lagna"));

        // A second result rebuilds the details tab; its captions are hidden
        // as well.
        form.showResult(MadeUpResult());
        read(2, spoken, hidden);
        QVERIFY(hidden.contains("Ayanamsa") && !spoken.contains("Ayanamsa"));
        QVERIFY2(spoken.filter(QRegularExpression("^Ayanamsa: \\d")).size() == 1,
                 qPrintable(spoken.join(" | ")));
    }

    // The drawing of the square: the border around all four by four cells,
    // the open centre, and twelve dividers, each one cell long on a cell
    // edge of the outer ring, no two alike, none across a sign's bodies,
    // number or markers.
    void chartLinesSeparateTheCells() {
        FrmDisplay form;
        form.show();
        form.showResult(MadeUpResult());
        auto* square = form.findChild<ChartSquare*>(QStringLiteral("chartSquare"));
        QVERIFY(square);
        const qreal cell = (square->width() - 1) / 4;
        QVERIFY(cell > 0);

        QSet<QString> dividers;
        for (const ChartSquare::Stroke& stroke : square->strokes()) {
            const QRectF g = stroke.geometry;
            const QString where = QStringLiteral("%1 at (%2, %3, %4, %5) cell %6")
                                      .arg(stroke.name)
                                      .arg(g.x())
                                      .arg(g.y())
                                      .arg(g.width())
                                      .arg(g.height())
                                      .arg(cell);
            if (stroke.name == QStringLiteral("shpBorder")) {
                QVERIFY2(g == QRectF(0, 0, 4 * cell, 4 * cell), qPrintable(where));
                continue;
            }
            if (stroke.name == QStringLiteral("shpCentre")) {
                QVERIFY2(g == QRectF(cell, cell, 2 * cell, 2 * cell), qPrintable(where));
                continue;
            }
            QVERIFY2(stroke.isLine, qPrintable(where));
            QVERIFY2((g.width() == 0 && g.height() == cell) ||
                         (g.height() == 0 && g.width() == cell),
                     qPrintable(where + QStringLiteral(": not one cell edge")));
            // Both ends on the grid, and the line outside the open centre.
            for (const QPointF end : {g.topLeft(), g.bottomRight()}) {
                QVERIFY2(end.x() == qRound(end.x() / cell) * cell &&
                             end.y() == qRound(end.y() / cell) * cell,
                         qPrintable(where + QStringLiteral(": off the grid")));
            }
            QVERIFY2(!QRectF(cell, cell, 2 * cell, 2 * cell).contains(g.center()),
                     qPrintable(where + QStringLiteral(": inside the centre")));
            const bool onBorder = g.width() == 0 ? (g.x() == 0 || g.x() == 4 * cell)
                                                 : (g.y() == 0 || g.y() == 4 * cell);
            QVERIFY2(!onBorder, qPrintable(where + QStringLiteral(": on the border")));
            const QString key =
                QStringLiteral("%1,%2,%3,%4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height());
            QVERIFY2(!dividers.contains(key), qPrintable(where + QStringLiteral(": drawn twice")));
            dividers.insert(key);

            for (QLabel* label : square->findChildren<QLabel*>()) {
                if (!label->isVisible() || label->objectName() == QStringLiteral("Label7")) {
                    continue;
                }
                QVERIFY2(!QRectF(label->geometry()).intersects(g.adjusted(0, 0, 1, 1)),
                         qPrintable(where + QStringLiteral(" crosses ") + label->objectName()));
            }
        }
        QCOMPARE(dividers.size(), 12);
    }

    // Both links of the form open the maker's home page.
    void linksOpenTheHomePage() {
        Recorders recorders;
        FrmDisplay form;
        form.show();
        for (const char* name : {"Label6", "Label7"}) {
            QLabel* link = Label(form, QString::fromLatin1(name));
            QVERIFY(link);
            QTest::mouseClick(link, Qt::LeftButton);
        }
        QCOMPARE(recorders.links().opened.size(), std::size_t{2});
        QCOMPARE(recorders.links().opened[0], WebPageAddress(WebPage::Home));
        QCOMPARE(recorders.links().opened[1], WebPageAddress(WebPage::Home));
    }
};

SELMARIND_UI_TEST_MAIN(TestFrmDisplay)
#include "test_frm_display.moc"
