#include "ui/windows/advert_label.h"

#include "ui/widgets/random_draw.h"
#include "ui/windows/frm_main.h"

#include <cmath>

namespace selmarind {

QString BrandedEditionAdvertWithLink() {
    return kBrandedEditionAdvert + QLatin1Char(' ') + kMoreDetailsText;
}

int AdvertDrawNumber(double r) {
    // nearbyint rounds in the current mode, halves to even by default.
    return static_cast<int>(std::nearbyint(r * 6 + 1));
}

AdvertChoice AdvertChoiceOfNumber(int n) {
    switch (n) {
    case 1:
    case 3:
    case 5:
        return AdvertChoice::Cobrand;
    case 2:
    case 4:
    case 6:
        return AdvertChoice::FullBrand;
    default:
        return AdvertChoice::Unchanged;
    }
}

void ChooseAdvertLabel(FrmMain& form) {
    form.bringAdvertToFront(AdvertChoiceOfNumber(AdvertDrawNumber(NextRandomDraw())));
}

} // namespace selmarind
