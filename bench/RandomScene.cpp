// SPDX-License-Identifier: GPL-3.0-or-later
#include "RandomScene.h"

#include <cmath>
#include <memory>
#include <random>

#include "objects/ObjektAbsorber.h"
#include "objects/ObjektHintergrund.h"
#include "objects/ObjektLambert.h"
#include "objects/ObjektSpiegel.h"

using namespace brevanto;
using namespace brevanto::model;
using namespace brevanto::objects;

void RandomScene(SceneList& list, int width, int height, int objects, bool mirrors) {
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> unit(0, 1);
    static_cast<TObjektHintergrund&>(list.Head()).staerke = 1;
    for (int k = 0; k < objects; ++k) {
        const double cx = 60 + unit(random) * (width - 120), cy = 60 + unit(random) * (height - 120);
        const double angle = unit(random) * 2 * kPi;
        const int x1 = Round(cx - 50 * std::cos(angle)), y1 = Round(cy - 50 * std::sin(angle));
        const int x2 = Round(cx + 50 * std::cos(angle)), y2 = Round(cy + 50 * std::sin(angle));
        if (k % 4 == 0) {
            auto emitter = std::make_unique<TObjektLambert>(x1, y1, x2, y2);
            emitter->staerke = 50;
            list.Append(std::move(emitter));
        } else if (mirrors && k % 4 == 1) {
            auto mirror = std::make_unique<TObjektSpiegel>(x1, y1, x2, y2);
            mirror->dirref = 50;
            mirror->difref = 20;
            mirror->dirtrans = 10;
            mirror->diftrans = 10;
            list.Append(std::move(mirror));
        } else {
            list.Append(std::make_unique<TObjektAbsorber>(x1, y1, x2, y2));
        }
    }
    list.CleanAndNumber();
}
