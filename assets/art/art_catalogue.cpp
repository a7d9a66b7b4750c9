#include "art_catalogue.h"

#include "amoeba.h"
#include "building.h"
#include "floors.h"
#include "lights.h"
#include "pieces.h"
#include "screens.h"
#include "specials.h"

const std::vector<ArtPicture>& artPictures() {
    static const std::vector<ArtPicture> pictures{
        {"graphics/lumbrake.png", 329, 258,
         [] { return drawLogo("Quorvane", "quorvane.example"); }},
        {"graphics/cursor.png", 4, 4, drawCursor},
        {"graphics/back.png", 924, 924, drawBackdrop},
        {"graphics/grass.png", 500, 500, drawGrass},
        {"graphics/explosion1.png", 32, 32, drawGlow},
        {"graphics/explosion10.png", 32, 32, drawFlare},
        {"graphics/explosion11.png", 32, 32, drawStar},
        {"graphics/explosion13.png", 32, 32, drawFragment},
        {"graphics/explosion15.png", 32, 32, drawPuff},
        {"graphics/wall.png", 44, 44, drawWallRun},
        {"graphics/wall1.png", 44, 44, drawWallRunCross},
        {"graphics/wall2.png", 44, 44, drawWallJunction},
        {"graphics/wall3.png", 44, 44, drawWallCorner},
        {"graphics/wall4.png", 44, 44, drawWallPillar},
        {"graphics/window.png", 44, 132, drawWindow},
        {"graphics/floor.png", 44, 44, [] { return drawStoneFloor(0); }},
        {"graphics/floor2.png", 44, 44, [] { return drawStoneFloor(1); }},
        {"graphics/floor3.png", 44, 44, [] { return drawStoneFloor(2); }},
        {"graphics/floor4.png", 44, 44, [] { return drawStoneFloor(3); }},
        {"graphics/floora.png", 44, 44, [] { return drawPlankFloor(0); }},
        {"graphics/floora1.png", 44, 44, [] { return drawPlankFloor(1); }},
        {"graphics/floora2.png", 44, 44, [] { return drawPlankFloor(2); }},
        {"graphics/floora3.png", 44, 44, [] { return drawPlankFloor(3); }},
        {"graphics/floora4.png", 44, 44, [] { return drawPlankFloor(4); }},
        {"graphics/floorb.png", 44, 44, [] { return drawPatternFloor(0); }},
        {"graphics/floorb1.png", 44, 44, [] { return drawPatternFloor(1); }},
        {"graphics/floorb2.png", 44, 44, [] { return drawPatternFloor(2); }},
        {"graphics/floorb3.png", 44, 44, [] { return drawPatternFloor(3); }},
        {"graphics/floorb4.png", 44, 44, [] { return drawPatternFloor(4); }},
        {"graphics/ball.png", 44, 44, [] { return drawItem(Kind::ball); }},
        {"graphics/ballend.png", 44, 44, [] { return drawEnd(Kind::ball); }},
        {"graphics/box.png", 44, 44, [] { return drawItem(Kind::box); }},
        {"graphics/boxend.png", 44, 44, [] { return drawEnd(Kind::box); }},
        {"graphics/spike.png", 44, 44, [] { return drawItem(Kind::spike); }},
        {"graphics/spikeend.png", 44, 44, [] { return drawEnd(Kind::spike); }},
        {"graphics/ballmutace.png", 44, 44, [] { return drawMutation(Kind::ball); }},
        {"graphics/boxmutace.png", 44, 44, [] { return drawMutation(Kind::box); }},
        {"graphics/spikemutace.png", 44, 44, [] { return drawMutation(Kind::spike); }},
        {"graphics/lightfire.png", 44, 44, drawTorch},
        {"graphics/lightday.png", 44, 44, drawDayLight},
        {"graphics/arrow.png", 44, 44, drawArrow},
        {"graphics/ballamoeba.png", 352, 44, [] { return drawAmoebaSheet(Kind::ball); }},
        {"graphics/boxamoeba.png", 352, 44, [] { return drawAmoebaSheet(Kind::box); }},
        {"graphics/spikeamoeba.png", 352, 44, [] { return drawAmoebaSheet(Kind::spike); }},
        {"graphics/bigamoeba.png", 1056, 132, drawBigAmoebaSheet},
        {"graphics/teleporta.png", 44, 44, [] { return drawTeleport(0); }},
        {"graphics/teleportb.png", 44, 44, [] { return drawTeleport(1); }},
        {"graphics/teleportc.png", 44, 44, [] { return drawTeleport(2); }},
        {"graphics/ballgate.png", 44, 44, [] { return drawGate(Kind::ball); }},
        {"graphics/boxgate.png", 44, 44, [] { return drawGate(Kind::box); }},
        {"graphics/spikegate.png", 44, 44, [] { return drawGate(Kind::spike); }},
    };
    return pictures;
}
