// A chart caption whose font shrinks to fit its lines.
#pragma once

#include "ui/windows/caption_label.h"

namespace selmarind {

// A chart caption that shrinks its font, down to a floor, until its visible
// lines fit, so that a crowded chart cell never drops a line.
class FitLabel : public CaptionLabel {
    Q_OBJECT

public:
    explicit FitLabel(QWidget* parent = nullptr);

    // Sets the text and fits the font to it.
    void setFittedText(const QString& text);

    // The point size the font was fitted to.
    double fittedPointSize() const { return font().pointSizeF(); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fit();
};

} // namespace selmarind
