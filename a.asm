;Tile data - Tessivar

