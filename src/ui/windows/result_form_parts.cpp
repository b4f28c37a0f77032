#include "ui/windows/result_form_parts.h"

#include "ui/widgets/app_style.h"
#include "ui/widgets/link_label.h"
#include "ui/widgets/web_links.h"

namespace selmarind {

QString Utf8Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void SetTextColor(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

QLabel* NewLabel(QWidget* parent, const QString& text, const QString& name) {
    auto* label = new QLabel(text, parent);
    if (!name.isEmpty()) {
        label->setObjectName(name);
    }
    return label;
}

LinkLabel* NewHomePageLink(QWidget* parent, const QString& name, const QString& text) {
    auto* link = new LinkLabel(text, parent);
    link->setObjectName(name);
    ChangeFont(link, [](QFont& font) { font.setUnderline(true); });
    SetTextColor(link, kCaptionColor);
    QObject::connect(link, &LinkLabel::clicked, link, [] { OpenHomePage(); });
    return link;
}

} // namespace selmarind
