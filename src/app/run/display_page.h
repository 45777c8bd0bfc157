#pragma once

// The pages of the main window's page control PageControl2.
enum class TDisplayPage { dpFastDisplay, dpSlowDisplay, dpTerminal };
