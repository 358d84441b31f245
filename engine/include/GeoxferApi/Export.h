// Export macros of the engine library GeoxferApi.
//
// The library is built with hidden visibility; what it exports (its classes
// and its plain C entry points) is marked here.
#pragma once

#define GXF_API __attribute__((visibility("default")))
#define GXF_C_API extern "C" __attribute__((visibility("default")))
