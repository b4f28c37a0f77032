// Which of the two advertising labels of the birth-data form lies in front,
// decided by a random draw at start-up.
#pragma once

#include <QString>

namespace selmarind {

class FrmMain;

// The advert for the branded edition, which the birth-data form, the frame
// window and the About box show; the link to its page follows it.
inline constexpr QLatin1StringView kBrandedEditionAdvert{
    "Home Business Opportunity. Start your own Internet business and make money "
    "online. Get this software fully branded for your website."};
inline constexpr QLatin1StringView kMoreDetailsText{"Click here for more details."};
// The advert and its link as one caption.
QString BrandedEditionAdvertWithLink();

enum class AdvertChoice { Cobrand, FullBrand, Unchanged };

// The whole number drawn from r in [0, 1): the nearest to r × 6 + 1, a half
// going to the even neighbour. 1..7; 1 and 7 have half the chance of the others.
int AdvertDrawNumber(double r);

// 1, 3, 5: lblCobrand; 2, 4, 6: lblFullBrand; anything else leaves the front
// label as it is.
AdvertChoice AdvertChoiceOfNumber(int n);

// Draws r from NextRandomDraw (ui/widgets/random_draw.h) and brings the chosen
// label of `form` to the front.
void ChooseAdvertLabel(FrmMain& form);

} // namespace selmarind
