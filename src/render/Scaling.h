#pragma once

#include "Picture.h"

// Each pixel as a square of factor x factor pixels.
Picture Enlarged(const Picture &picture, int factor);
// Fitted into size x size, keeping its proportions: each pixel the average of the pixels it
// covers, so thumbnails stay smooth.
Picture FittedInto(const Picture &picture, int size);
