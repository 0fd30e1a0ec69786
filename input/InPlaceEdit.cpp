#include "input/InPlaceEdit.h"

#include <algorithm>

#include "platform/Variant.h"

namespace glv {

WindowPlacement EditBoxPlacement(int32_t itemX, int32_t itemY, int32_t itemHeight, int32_t textHeight,
                                 int32_t column1Right) {
    const double top = itemY + itemHeight / 2.0 - textHeight / 2.0;
    return WindowPlacement{itemX, static_cast<int32_t>(RoundHalfEven(top)), std::max(column1Right - itemX, 0),
                           textHeight};
}

EditKeyRule EditKeyPressRule(int32_t keyAscii, bool cancelPending) {
    if (cancelPending) return EditKeyRule::EndPendingCancel;
    if (keyAscii == 13 || keyAscii == 10) return EditKeyRule::Commit;
    if (keyAscii == 27) return EditKeyRule::Cancel;
    return EditKeyRule::Type;
}

int16_t KeyAsciiOf(int32_t codePoint) {
    if (codePoint > 0xFFFF) codePoint = 0xD800 + ((codePoint - 0x10000) >> 10);
    return static_cast<int16_t>(static_cast<uint16_t>(codePoint & 0xFFFF));
}

int32_t CharacterAfterKeyPress(int32_t codePoint, int16_t sent, int16_t answered) {
    if (answered == sent) return codePoint;
    return static_cast<uint16_t>(answered);
}

}  // namespace glv
