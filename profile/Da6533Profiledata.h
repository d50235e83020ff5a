#pragma once
// The headset's profile object. Its own sections ("SystemSetStages", the equaliser lists)
// belong to the headset's audio panels and are kept in the document as they are.
#include "profile/BasicProfiledata.h"

namespace profile {

class CDa6533Profiledata : public CBasicProfiledata {};

}  // namespace profile
