// The chart square of the result form: twelve sign cells around an open
// centre, the signs standing still with Pisces in the top left corner and
// the zodiac running clockwise. Each cell holds its number (Hno_0 ..
// Hno_11), its markers (lblArudha_0 .. lblArudha_11) and its bodies (the
// sign cell, lblAries .. lblPisces); the centre holds a link to the home page
// (Label7).
#pragma once

#include <QRectF>
#include <QString>
#include <QWidget>

#include <array>
#include <vector>

class QLabel;

namespace selmarind {

class CaptionLabel;
class FitLabel;

class ChartSquare : public QWidget {
    Q_OBJECT

public:
    // One stroke of the drawing, in pixels of the square.
    struct Stroke {
        // The designed name: shpBorder, shpCentre, or shpHora_0 .. shpHora_11
        // for the dividers between neighbouring cells.
        QString name;
        // A line runs from the top left to the bottom right corner; a
        // rectangle is drawn as its outline.
        QRectF geometry;
        bool isLine = false;
    };

    explicit ChartSquare(QWidget* parent = nullptr);

    // Shows the bodies and the markers of one sign (0 = Aries .. 11 =
    // Pisces), captions as calculated. The markers stand in the top right
    // corner; the bodies take the room between them and the number.
    void setCell(int sign, const QString& bodies, const QString& markers);

    // What assistive technology reads for the cell of `sign`: one sentence
    // such as "Leo, house 5: Sun, Mercury; Torvi Lagna".
    void setCellSentence(int sign, const QString& sentence);

    // The drawing, laid out for the square's present size. The strokes are
    // painted, not widgets: they stay out of the accessibility tree.
    const std::vector<Stroke>& strokes() const { return strokes_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Side of one cell in pixels; the square is four cells and one pixel for
    // the closing line.
    int cellPx() const;
    void layOutStrokes();
    void placeChildren();
    void placeCell(int sign);

    std::vector<Stroke> strokes_;
    std::array<QLabel*, 12> signNumbers_{};
    std::array<CaptionLabel*, 12> markerLabels_{};
    std::array<FitLabel*, 12> bodyLabels_{};
    QLabel* homePageLink_ = nullptr;
};

} // namespace selmarind
