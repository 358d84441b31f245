// Umbrella header of the FDO-compatible data-access layer.
#pragma once

#include <Fdo/Common/Std.h>
#include <Fdo/Common/Enums.h>
#include <Fdo/Common/IDisposable.h>
#include <Fdo/Common/Ptr.h>
#include <Fdo/Common/StringP.h>
#include <Fdo/Common/ByteArray.h>
#include <Fdo/Common/Exception.h>
#include <Fdo/Common/Collection.h>
#include <Fdo/Common/NamedCollection.h>
#include <Fdo/Common/StringCollection.h>
#include <Fdo/Xml/XmlSupport.h>
