#pragma once
// The seven models of the game, sized in world units.
#include <string>
#include <vector>

#include "a3f_writer.h"
#include "mesh.h"

struct Model {
    std::string fileName;
    std::string comment;
    Mesh mesh;
    Material material;
};

Model buildDeathStar();   // radius 1, scaled 10-20 by the world
Model buildDroid();       // about 2.6 long, nose along +z
Model buildRadar();       // dish and barrel along -z
Model buildStation();     // about 5.5 across, scaled x10 by the world
Model buildSolarPanel();  // about 44 x 13 units, faces along +-x
Model buildShot();        // a glowing bolt along z
Model buildBlueScreen();  // the stereo overlay, -32..32 x -24..24 at z = 0

std::vector<Model> buildAllModels();
