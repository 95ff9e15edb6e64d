// The product picture of the splash and About windows, drawn rather than
// shipped: a starting-line tree over a strip of track.
#pragma once

#include <QPixmap>

namespace sw {

QPixmap ProductPicture(int width, int height);

}  // namespace sw
