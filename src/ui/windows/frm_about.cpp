#include "ui/windows/frm_about.h"

#include "ui/widgets/app_icon.h"
#include "ui/widgets/app_style.h"
#include "ui/widgets/data_files.h"
#include "ui/widgets/link_label.h"
#include "ui/widgets/twips.h"
#include "ui/widgets/web_links.h"
#include "ui/windows/advert_label.h"
#include "ui/windows/notices_dialog.h"

#include "atlas/atlas.h"

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
    palette.setColor(QPalette::WindowText, kCaptionColor);
    link->setPalette(palette);
    return link;
}

} // namespace

FrmAbout::FrmAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(kWindowCaption);
    setWindowIcon(ThemedApplicationIcon());
    setModal(true);
    ApplyAppStyle(this);
    setFixedSize(TwipsSize(6435, 3795));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    const int iconPx = TwipsToPixels(480);
    icon->setGeometry(TwipsToPixels(240), TwipsToPixels(240), iconPx, iconPx);
    icon->setPixmap(ApplicationIconPixmap(iconPx));
    icon->setAccessibleName(QStringLiteral("Application icon"));

    QLabel* caption = AddLabel(this, "Label2", kWindowCaption, TwipsRect(840, 240, 2310, 240));
    caption->setFont(AppFont(9.75, true));

    AddLabel(this, "Label1",
             QStringLiteral("Selmarind is a special Lagna (Ascendant) calculated on the basis of "
                            "Vedic Astrology. This Lagna shows where the native is applying his / "
                            "her intelligence. This shows your fantasies and desires. This shows "
                            "what you like or dislike."),
             TwipsRect(120, 720, 6285, 855));

    LinkLabel* homePageLink =
        AddLink(this, "lblHomePage", QStringLiteral("Click here to visit ") + HomePageDisplayText(),
                TwipsRect(2250, 1950, 4050, 195));
    connect(homePageLink, &LinkLabel::clicked, this, [] { OpenHomePage(); });

    AddLabel(this, "Label3", kBrandedEditionAdvert + QLatin1Char(' '),
             TwipsRect(120, 2280, 6165, 675));

    LinkLabel* detailsLink =
        AddLink(this, "lblCobrand", kMoreDetailsText, TwipsRect(4080, 3000, 2355, 195));
    connect(detailsLink, &LinkLabel::clicked, this, [] { OpenBrandedEditionPage(); });

    auto* separator = new QFrame(this);
    separator->setObjectName(QStringLiteral("Line1"));
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Plain);
    separator->setGeometry(TwipsRect(120, 2190, 6195, 15));
    QPalette linePalette = separator->palette();
    linePalette.setColor(QPalette::WindowText, kCaptionColor);
    separator->setPalette(linePalette);

    auto* okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("cmdOK"));
    okButton->setGeometry(TwipsRect(5070, 3360, 1260, 345));
    okButton->setDefault(true);
    okButton->setAutoDefault(true);
    okButton->setFocus();
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    // Esc reaches QDialog::reject, which closes the box like "OK".

    addLicenceNotes();
}

void FrmAbout::addLicenceNotes() {
    // In the free places of the designed box: the version under the
    // caption, the licence beside it, the notices button left of the
    // details link and the place data's attribution left of OK.
    const QFont small = AppFont(8.25, false);
    QLabel* version =
        AddLabel(this, "lblVersion", QStringLiteral("Version ") + QStringLiteral(SELMARIND_VERSION),
                 TwipsRect(840, 480, 2310, 225));
    QLabel* licence = AddLabel(this, "lblLicence", QStringLiteral("Licence: AGPL-3.0-or-later"),
                               TwipsRect(3240, 240, 3075, 225));
    QLabel* attribution =
        AddLabel(this, "lblPlaceAttribution",
                 QString::fromUtf8(kAtlasAttribution.data(),
                                   static_cast<qsizetype>(kAtlasAttribution.size())),
                 TwipsRect(120, 3420, 4860, 225));
    for (QLabel* label : {version, licence, attribution}) {
        label->setFont(small);
    }
    auto* notices = new QPushButton(QStringLiteral("Third-Party &Notices..."), this);
    notices->setObjectName(QStringLiteral("cmdNotices"));
    notices->setGeometry(TwipsRect(120, 2985, 2400, 330));
    notices->setAutoDefault(false);
    connect(notices, &QPushButton::clicked, this, [this] {
        NoticesDialog dialog(DataFilePath(QStringLiteral("NOTICE")), this);
        dialog.exec();
    });
}

void ShowAboutBox(QWidget* parent) {
    FrmAbout box(parent);
    box.exec();
}

} // namespace selmarind
