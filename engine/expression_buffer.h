// Placeholder until the expression text buffer lands.
#pragma once

namespace vorlan {

class ExpressionBuffer {};

}  // namespace vorlan
