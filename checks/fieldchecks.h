#pragma once

#include "app/messageboxes.h"

#include <QString>

// The two warnings checked before storing. Both may be overridden; refusing the SX1 one stops
// the storing, refusing the SX4 one only leaves the boxes as they are.
namespace FieldChecks {

// Yes/No with the question icon, Yes the default.
constexpr int warningStyle = MessageBoxes::YesNo + MessageBoxes::Question;

// Offers to rewrite the SX4 boxes with their column sums.
QString sx4WarningText();

// SX1 box 1 greater than SX4 box 3: asks whether to store all the same.
QString sx1WarningText();

// Both read through VALIDAIMPORTO; equal amounts pass.
bool sx1ExceedsSx4Box3(const QString& sx1, const QString& sx4Box3);

} // namespace FieldChecks
