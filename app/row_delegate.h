#pragma once

#include "ui/user_text.h"

namespace tv {

// Draws the list's cells: names shaped where they need it, the editor always shaping.
class RowDelegate : public ui::UserTextDelegate {
public:
  using UserTextDelegate::UserTextDelegate;
};

} // namespace tv
