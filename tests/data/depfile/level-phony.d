out/level\ 1.tmx out/level\ 1-palette0.png: maps/level\ 1.vxm tiles\#2.vxt $$x.json

maps/level\ 1.vxm:

tiles\#2.vxt:

$$x.json:
