#pragma once

#include <QString>
#include <cstdint>

namespace learner {

// The learner's settings. The main window holds one, zero-filled until the settings are loaded.
struct TSetup {
    QString Path; // install folder, with a trailing separator when not empty
    bool Zvuk = false;
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t ZkoZkousetPo = 0;
    int32_t ZkoVyrazKrat = 0;
    bool ZkoZkousetCelou = false;
    int32_t VyuZkousetPo = 0;
    int32_t VyuVyrazKrat = 0;
    bool VyuZkousetCelou = false;
};

} // namespace learner
