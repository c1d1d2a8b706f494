#pragma once

#include "support/DbConnect.h"
#include "support/FailureOf.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>
