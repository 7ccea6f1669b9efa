#pragma once
// The program's one picture: a steel coil, used as every window's icon and as
// the reports' header picture.
#include <QIcon>
#include <QImage>

namespace plat {

// The coil drawing as it is stored (JPEG in the program's resources).
QImage coilPicture();
// The same drawing as a window icon.
QIcon coilIcon();

} // namespace plat
