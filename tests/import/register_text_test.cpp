#include "import/register_text.h"

#include <gtest/gtest.h>
