;Tile data - Tessivar


tileData:
 ;Tile 0
 dc.b $F0,$00,$00,$00,$00,$00,$00,$00
 ;Tile 1
 dc.b $00,$00,$00,$00,$00,$00,$00,$00

animData:
 ;Tile 0
 dc.b $05
 ;Tile 1
 dc.b $01
