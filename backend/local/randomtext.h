#pragma once

#include <QString>

namespace RandomText {

// `bytes` bytes from the system's secure generator, as unpadded URL-safe base64.
QString urlSafe(int bytes);

}
