# The media set the generator writes (tools/mediagen), by name: the game's
# install and the page's packed media take exactly these.
set(VEXAR_MEDIA_FILES
  deathStar.a3f spaceShip1.a3f spaceRadar.a3f spaceStation1.a3f solarPanel.a3f
  shot.a3f blueScreen.a3f
  deathStar.jpg droid.bmp radar.tga station.jpg solarPanel.tga shot.tga blueScreen.bmp
  splash.jpg
  droid_destroyed.wav ammo_fire2.wav ammo_fire.wav hit_echo.wav droid_scan.wav
  vexar.mid)
