#pragma once

// `vexar-tool obj2a3f IN.obj OUT.a3f`: converts a Wavefront OBJ mesh (and the
// first material it uses from its .mtl) into a model file the game reads.
int runObj2a3f(int argc, char** argv);
