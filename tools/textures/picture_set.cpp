#include "picture_set.h"

#include "green_background.h"
#include "opening_landscape.h"
#include "skyline_band.h"
#include "sun.h"

const picture kPictures[6] = {
    {"sun.png", paintSun, "the turning sun of the first and last scenes"},
    {"scene0_bg.png", paintOpeningBackground, "the opening scene's sky, snowy peaks and forest"},
    {"scene0_crag_ba.png", paintBackCrags, "the opening scene's hazy far crags"},
    {"scene0_crag.png", paintFrontCrags, "the opening scene's dark near crags"},
    {"greenbg.png", paintGreenBackground, "the word-slam scene's green backdrop"},
    {"scroller.png", paintSkylineBand, "the last scene's sliding skyline band"},
};
