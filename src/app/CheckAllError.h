// The whole-declaration check: 32 checks in a fixed order, stopping at the first failure, which is
// shown in the check dialog of the whole declaration (TfmCheckAllError).
#pragma once

#include <cstdint>

class QWidget;
class mTDeclaration;

// Result: I x 65536 + S. S (bits 0-15) is the section last entered (1, 2, 3, 4, 7, 8, 9 or 10);
// I (bits 16-31) is 0 when no failure stopped the check, 65535 when the user cancelled, otherwise
// the item to fix in section S. The dialog is owned by `owner`.
std::uint32_t RunCheckAll(const mTDeclaration& document, QWidget* owner);
