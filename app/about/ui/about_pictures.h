#pragma once
// The about box's pictures, drawn by the program itself.
#include <QPixmap>

namespace orvane {

// A clock face with sound waves beside it: the talking clock.
QPixmap AboutClockPicture(int size);
// A speech bubble with a question mark: the support page's picture.
QPixmap SupportPicture(int size);

} // namespace orvane
