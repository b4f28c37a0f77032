#include "ui/windows/frm_about.h"

#include "ui/widgets/app_icon.h"
#include "ui/widgets/app_style.h"
#include "ui/widgets/link_label.h"
#include "ui/widgets/twips.h"
#include "ui/widgets/web_links.h"
#include "ui/windows/advert_label.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace selmarind {

namespace {

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

LinkLabel* AddLink(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* link = new LinkLabel(text, parent);
    link->setObjectName(QString::fromLatin1(name));
    link->setGeometry(geometry);
    QFont font = link->font();
    font.setUnderline(true);
    link->setFont(font);
    QPalette palette = link->palette();
    palette.setColor(QPalette::WindowText, kTaglineColor);
    link->setPalette(palette);
    return link;
}

} // namespace

FrmAbout::FrmAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(kWindowCaption);
    setWindowIcon(ApplicationIcon());
    setModal(true);
    ApplyAppStyle(this);
    setFixedSize(TwipsSize(6435, 3795));

    auto* picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    const int iconPx = TwipsToPixels(480);
    picIcon->setGeometry(TwipsToPixels(240), TwipsToPixels(240), iconPx, iconPx);
    picIcon->setPixmap(ApplicationIconPixmap(iconPx));
    picIcon->setAccessibleName(QStringLiteral("Application icon"));

    QLabel* label2 = AddLabel(this, "Label2", kWindowCaption, TwipsRect(840, 240, 2310, 240));
    label2->setFont(AppFont(9.75, true));

    AddLabel(this, "Label1",
             QStringLiteral("Selmarind is a special Lagna (Ascendant) calculated on the basis of "
                            "Vedic Astrology. This Lagna shows where the native is applying his / "
                            "her intelligence. This shows your fantasies and desires. This shows "
                            "what you like or dislike."),
             TwipsRect(120, 720, 6285, 855));

    LinkLabel* lblHomePage =
        AddLink(this, "lblHomePage", QStringLiteral("Click here to visit ") + HomePageDisplayText(),
                TwipsRect(2250, 1950, 4050, 195));
    connect(lblHomePage, &LinkLabel::clicked, this, [] { OpenHomePage(); });

    AddLabel(this, "Label3", kBrandedEditionAdvert + QLatin1Char(' '),
             TwipsRect(120, 2280, 6165, 675));

    LinkLabel* lblCobrand =
        AddLink(this, "lblCobrand", kMoreDetailsText, TwipsRect(4080, 3000, 2355, 195));
    connect(lblCobrand, &LinkLabel::clicked, this, [] { OpenBrandedEditionPage(); });

    auto* line1 = new QFrame(this);
    line1->setObjectName(QStringLiteral("Line1"));
    line1->setFrameShape(QFrame::HLine);
    line1->setFrameShadow(QFrame::Plain);
    line1->setGeometry(TwipsRect(120, 2190, 6195, 15));
    QPalette linePalette = line1->palette();
    linePalette.setColor(QPalette::WindowText, kCaptionColor);
    line1->setPalette(linePalette);

    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(TwipsRect(5070, 3360, 1260, 345));
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    cmdOK->setFocus();
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    // Esc reaches QDialog::reject, which closes the box like "OK".
}

void ShowAboutBox(QWidget* parent) {
    FrmAbout box(parent);
    box.exec();
}

} // namespace selmarind
