#pragma once

// `vexar-tool compare A.png B.png`: how far two pictures of one size differ,
// as the share of pixels with a colour channel more than 16 levels apart and
// the mean difference of the colour channels.
int runCompare(int argc, char** argv);
