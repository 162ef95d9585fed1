#include "app/dialogseam.h"

DialogSeam::~DialogSeam() = default;
