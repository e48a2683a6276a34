#include "objects/ObjektHintergrund.h"

TObjektHintergrund::TObjektHintergrund() {
    kind = "rahmen";
    description = "Background radiation";
}
