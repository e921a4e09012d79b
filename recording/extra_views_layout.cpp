#include "recording/extra_views_layout.h"

namespace qv {

ExtraViewsLayout ExtraViewsFor(bool bytesView, bool samplesView) {
    ExtraViewsLayout layout;
    layout.bytesShown = bytesView;
    layout.samplesShown = samplesView;
    if (!bytesView && !samplesView) {
        layout.windowWidth = 265;
        layout.infoWidth = 259;
    } else if (!bytesView) {
        layout.windowWidth = 556;
        layout.infoWidth = 551;
        layout.sampleLefts = {256, 354, 452};
        layout.sampleButtonLefts = {269, 367, 465};
    } else if (!samplesView) {
        layout.windowWidth = 363;
        layout.infoWidth = 357;
    } else {
        layout.windowWidth = 656;
        layout.infoWidth = 651;
        layout.sampleLefts = {356, 454, 552};
        layout.sampleButtonLefts = {369, 467, 565};
    }
    return layout;
}

} // namespace qv
