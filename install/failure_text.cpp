#include "failure_text.h"
