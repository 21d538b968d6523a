#pragma once

void playMusic();
void closeMusic();
