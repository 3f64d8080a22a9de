#include "app/ui/wx_text.h"
