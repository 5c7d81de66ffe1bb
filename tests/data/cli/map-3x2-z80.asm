;Map data - Tessivar


mapData:
 .db $00,$01,$02 ;Row 0
 .db $03,$04,$05 ;Row 1
