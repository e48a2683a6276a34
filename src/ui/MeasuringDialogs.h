#pragma once
#include <string>
#include <vector>

#include "measure/EnergyBalance.h"
#include "measure/Verification.h"
#include "model/Programvar.h"
#include "platform/Platform.h"

// The energy balance as a table: a row per object, then what leaves through
// the frame, the totals, the imbalance and the mirrors' change, and a note
// below them when the computation did not converge.
void EnergyBalanceDialog(platform::Platform& platform, const EnergyBalance& balance, const std::string& note);

// The verification cases as a table, with the resolution they were computed
// at.
void VerificationDialog(platform::Platform& platform, const std::vector<VerificationCase>& cases,
                        const Tprgvar& resolution);
