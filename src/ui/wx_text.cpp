#include "ui/wx_text.h"
